#include "windows_file_system.h"

#include "in_out_error.h"
#include "utf16_names.h"
#include "windows_file.h"

#include <memory>

namespace {

OpenResult failure(std::int32_t code)
{
    return {nullptr, code};
}

} // namespace

OpenResult WindowsFileSystem::openForReading(const std::string& name)
{
    return open(name, true);
}

OpenResult WindowsFileSystem::createForWriting(const std::string& name)
{
    return open(name, false);
}

OpenResult WindowsFileSystem::open(const std::string& name, bool reading)
{
    // A NUL would end the name early, and bytes that are no UTF-8 would be
    // guessed at: either way another file could be opened.
    if (name.find('\0') != std::string::npos)
        return failure(ERROR_INVALID_NAME);
    const std::optional<std::wstring> wide = utf16Name(name);
    if (!wide)
        return failure(ERROR_NO_UNICODE_TRANSLATION);
    WindowsHandle handle(m_calls.createFile(wide->c_str(), reading ? GENERIC_READ : GENERIC_WRITE, FILE_SHARE_READ,
                                            nullptr, reading ? OPEN_EXISTING : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                            nullptr),
                         m_calls);
    if (!handle.isValid())
        return failure(failureCode(m_calls));
    // The line files read every kind alike: a reader's is not asked.
    FileKind kind = FileKind::Disk;
    if (!reading) {
        switch (m_calls.getFileType(handle.get())) {
        case FILE_TYPE_UNKNOWN:
            // Created or emptied already; the line files' own code.
            return failure(InOutCode::FileNotOpenForOutput);
        case FILE_TYPE_CHAR:
            kind = FileKind::CharacterDevice;
            break;
        case FILE_TYPE_PIPE:
            kind = FileKind::Pipe;
            break;
        default:
            break;
        }
    }
    const auto access = reading ? WindowsFile::Access::Read : WindowsFile::Access::Write;
    return {std::make_unique<WindowsFile>(std::move(handle), access, kind, m_chunk), 0};
}
