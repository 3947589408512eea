#pragma once

#include "in_out_error.h"

#include <cstdint>

// The code of the EInOutError an operation raises, or 0 when it raises none.
template <typename Operation> std::int32_t inOutCodeOf(Operation&& operation)
{
    try {
        operation();
    } catch (const EInOutError& error) {
        return error.code();
    }
    return 0;
}
