#pragma once

#include "exception.h"

#include <cstdint>
#include <string>

// The codes of file failures: the line files' own, and those of the system
// failures, which keep the Windows numbers that users know and can look up.
// error_codes.h tells which Linux failure becomes which.
namespace InOutCode {
inline constexpr std::int32_t FileNotFound = 2;
inline constexpr std::int32_t PathNotFound = 3;
inline constexpr std::int32_t TooManyOpenFiles = 4;
inline constexpr std::int32_t AccessDenied = 5;
inline constexpr std::int32_t InvalidHandle = 6;
inline constexpr std::int32_t NotEnoughMemory = 8;
inline constexpr std::int32_t BadUnit = 20;
inline constexpr std::int32_t NotReady = 21;
inline constexpr std::int32_t DataError = 23;
inline constexpr std::int32_t GeneralFailure = 31;
inline constexpr std::int32_t SharingViolation = 32;
inline constexpr std::int32_t SharingBufferExceeded = 36;
inline constexpr std::int32_t NotSupported = 50;
inline constexpr std::int32_t DeviceNotThere = 55;
inline constexpr std::int32_t InvalidParameter = 87;
// In the message table, but never raised here: reading at the end gives empty
// lines, and a full disk is DiskFull.
inline constexpr std::int32_t ReadBeyondEnd = 100;
inline constexpr std::int32_t DiskWriteError = 101;
inline constexpr std::int32_t InvalidNumericInput = 106;
inline constexpr std::int32_t FileNotOpen = 103; // the line files' own
inline constexpr std::int32_t FileNotOpenForInput = 104; // the line files' own
inline constexpr std::int32_t FileNotOpenForOutput = 105; // the line files' own
inline constexpr std::int32_t BrokenPipe = 109;
inline constexpr std::int32_t DiskFull = 112;
inline constexpr std::int32_t TimedOut = 121;
inline constexpr std::int32_t InvalidName = 123;
inline constexpr std::int32_t Busy = 170;
inline constexpr std::int32_t NameTooLong = 206;
inline constexpr std::int32_t FileTooLarge = 223;
inline constexpr std::int32_t InvalidAddress = 487;
inline constexpr std::int32_t FileNoLongerValid = 1006;
inline constexpr std::int32_t DeviceError = 1117;
inline constexpr std::int32_t FileCorrupt = 1392;
inline constexpr std::int32_t NameCannotBeResolved = 1921;
} // namespace InOutCode

// A failed file operation: the code and the Spanish text derived from it, and
// the name of the file it concerns when it concerns one. The text never holds
// the name: front ends that show it add it themselves.
class EInOutError final : public Exception
{
public:
    explicit EInOutError(std::int32_t code, std::string fileName = {});

    std::int32_t code() const noexcept { return m_code; }
    const std::string& fileName() const noexcept { return m_fileName; }

    static std::string messageFor(std::int32_t code);

private:
    std::int32_t m_code;
    std::string m_fileName;
};
