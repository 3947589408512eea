#pragma once

#include "exception.h"

// A value the file-name field refuses; the message (UTF-8) is shown to the user.
class EComboEditError final : public Exception
{
public:
    using Exception::Exception;
};
