#pragma once

#include "fake_file_system.h"
#include "point_file.h"
#include "run_options.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// What a run meets besides its source's bytes and its options.
struct RunConditions
{
    PointFileKind kind = PointFileKind::Pitovan;
    std::size_t readLimit = SIZE_MAX; // a read hands over at most this many bytes
    std::size_t transferSize = 0; // bytes the files move at once
    std::optional<FakeFileSystem::Call> failingCall; // its n-th call fails, with InjectedCode
    int failingCallNumber = 1;
    bool destinationExisted = false;
};

inline constexpr std::int32_t InjectedCode = 1117;

// Runs a whole generation over the bytes through the in-memory file system and
// checks what a run must keep whatever it is given; throws BrokenInvariant.
void checkRunInvariants(std::string_view bytes, const RunOptions& options, const RunConditions& conditions);
