#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

// The system's file interface beneath the line files. Every failure comes back
// as a code of the line files' code table (see error_codes.h), never as errno.

enum class FileKind
{
    Disk,
    CharacterDevice,
    Pipe,
};

struct ReadResult
{
    std::size_t count = 0; // 0 means the end of the file
    std::int32_t error = 0;
};

// One open file of the system. Destroying it releases the file without
// reporting anything; close() is how a failure of the release is learnt.
class SystemFile
{
public:
    virtual ~SystemFile() = default;

    virtual FileKind kind() = 0;
    // How many bytes the line files move in one read or write of the file,
    // in place of their block: more only where the system reads ahead and
    // gathers writes in any case. 0: one block.
    virtual std::size_t transferSize() = 0;
    virtual ReadResult read(std::span<std::byte> buffer) = 0;
    // Returns 0 or the failure's code; the bytes are all written or the call failed.
    virtual std::int32_t write(std::span<const std::byte> bytes) = 0;
    // Releases the file (also when it fails); returns 0 or the failure's code.
    virtual std::int32_t close() = 0;
};

struct OpenResult
{
    std::unique_ptr<SystemFile> file;
    std::int32_t error = 0;
};

class FileSystem
{
public:
    virtual ~FileSystem() = default;

    // An existing file, for reading; others may read it meanwhile, nobody may write it.
    virtual OpenResult openForReading(const std::string& name) = 0;
    // Creates the file or empties an existing one; others may read it meanwhile,
    // nobody may write it. A file held by a reader is refused untouched.
    virtual OpenResult createForWriting(const std::string& name) = 0;
};
