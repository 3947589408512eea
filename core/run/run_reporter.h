#pragma once

#include <string_view>

// What a generation run needs from whoever started it.
class RunReporter
{
public:
    virtual ~RunReporter() = default;

    // Shows a message and returns once the user has read it. Lines are
    // separated by single carriage returns.
    virtual void showMessage(std::string_view text) = 0;
    virtual void focusSourceField() = 0;
    virtual void focusDestinationField() = 0;
};
