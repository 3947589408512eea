#pragma once

#include "exception.h"

#include <cstdint>
#include <string>

// Codes of the line files' own (all other codes come from the system layer).
namespace InOutCode {
inline constexpr std::int32_t FileNotFound = 2;
inline constexpr std::int32_t PathNotFound = 3;
inline constexpr std::int32_t TooManyOpenFiles = 4;
inline constexpr std::int32_t AccessDenied = 5;
inline constexpr std::int32_t SharingViolation = 32;
inline constexpr std::int32_t BrokenPipe = 109;
inline constexpr std::int32_t DiskFull = 112;
inline constexpr std::int32_t FileNotOpen = 103;
inline constexpr std::int32_t FileNotOpenForInput = 104;
inline constexpr std::int32_t FileNotOpenForOutput = 105;
} // namespace InOutCode

// A failed file operation: the code and the Spanish text derived from it.
class EInOutError final : public Exception
{
public:
    explicit EInOutError(std::int32_t code);

    std::int32_t code() const noexcept { return m_code; }

    static std::string messageFor(std::int32_t code);

private:
    std::int32_t m_code;
};
