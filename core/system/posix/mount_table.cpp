#include "mount_table.h"

#include <sys/sysmacros.h>

namespace {

std::vector<std::string_view> fieldsOf(std::string_view line)
{
    std::vector<std::string_view> fields;
    while (!line.empty()) {
        const auto end = line.find(' ');
        if (end != 0)
            fields.push_back(line.substr(0, end));
        line.remove_prefix(end == std::string_view::npos ? line.size() : end + 1);
    }
    return fields;
}

bool isOctal(char c)
{
    return c >= '0' && c <= '7';
}

// The table writes a blank, a tab, a newline and a backslash as three octal digits.
std::string unescaped(std::string_view field)
{
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && isOctal(field[i + 1]) && isOctal(field[i + 2])
            && isOctal(field[i + 3])) {
            text += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
            i += 3;
        } else
            text += field[i];
    }
    return text;
}

} // namespace

std::vector<std::string> fuseSourceFolders(std::string_view mountTable, dev_t device)
{
    const std::string deviceField = std::to_string(major(device)) + ':' + std::to_string(minor(device));
    std::vector<std::string> folders;
    while (!mountTable.empty()) {
        const auto end = mountTable.find('\n');
        const std::string_view line = mountTable.substr(0, end);
        mountTable.remove_prefix(end == std::string_view::npos ? mountTable.size() : end + 1);
        // ID PARENT MAJOR:MINOR ROOT MOUNT-POINT OPTIONS [OPTIONAL...] - TYPE SOURCE SUPER-OPTIONS
        const std::vector<std::string_view> fields = fieldsOf(line);
        std::size_t separator = 6;
        while (separator < fields.size() && fields[separator] != "-")
            ++separator;
        if (fields.size() < 3 || fields[2] != deviceField || separator + 2 >= fields.size())
            continue;
        const std::string_view type = fields[separator + 1];
        const std::string source = unescaped(fields[separator + 2]);
        if ((type == "fuse" || type.starts_with("fuse.")) && source.starts_with('/'))
            folders.push_back(source);
    }
    return folders;
}
