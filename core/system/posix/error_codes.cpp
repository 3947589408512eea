#include "error_codes.h"

#include <algorithm>

std::int32_t codeForErrno(int error)
{
    const auto found = std::ranges::find(ErrnoCodes, error, &ErrnoCode::error);
    return found == std::end(ErrnoCodes) ? UnforeseenFailureCode : found->code;
}
