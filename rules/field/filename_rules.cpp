#include "filename_rules.h"

namespace {

bool isBlank(char c)
{
    const auto code = static_cast<unsigned char>(c);
    return code >= 1 && code <= 32;
}

std::string_view separatorsOf(PathSyntax syntax)
{
    return syntax == PathSyntax::Windows ? "\\:" : "/";
}

std::size_t nameStart(std::string_view name, PathSyntax syntax)
{
    const std::size_t separator = name.find_last_of(separatorsOf(syntax));
    return separator == std::string_view::npos ? 0 : separator + 1;
}

} // namespace

std::string QuoteSpacedName(std::string_view name)
{
    if (name.find(' ') == std::string_view::npos || name.starts_with('"'))
        return std::string(name);
    return '"' + std::string(name) + '"';
}

std::string FirstWord(std::string_view text)
{
    // A NUL ends the text, as it ends a name for the system.
    const std::string_view rest = text.substr(0, text.find('\0'));

    std::size_t i = 0;
    for (;;) {
        if (i < rest.size() && isBlank(rest[i]))
            ++i;
        else if (i + 1 < rest.size() && rest[i] == '"' && rest[i + 1] == '"')
            i += 2;
        else
            break;
    }

    std::string word;
    bool quoted = false;
    for (; i < rest.size(); ++i) {
        const char c = rest[i];
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && isBlank(c))
            break;
        else
            word += c;
    }
    return word;
}

std::string LeadingFileName(const std::string& text, const FileQueries& queries)
{
    return queries.isExistingNonFolder(text) ? text : FirstWord(text);
}

std::string nameFromFieldText(std::string_view text)
{
    std::string name(text);
    std::erase(name, '"');
    return name;
}

bool IsAcceptableFileName(std::string_view name)
{
    constexpr std::string_view refused = "<>\"[]|";
    return !name.empty() && name.find_first_of(refused) == std::string_view::npos;
}

bool acceptsFileNameValue(const std::string& value, const FileQueries& queries)
{
    return value.empty() || IsAcceptableFileName(LeadingFileName(value, queries));
}

std::string invalidFileNameMessage(std::string_view value)
{
    return "Nombre de archivo inválido - " + std::string(value);
}

std::string folderPart(std::string_view name, PathSyntax syntax)
{
    return std::string(name.substr(0, nameStart(name, syntax)));
}

std::string namePart(std::string_view name, PathSyntax syntax)
{
    return std::string(name.substr(nameStart(name, syntax)));
}

std::string initialDirFromFolderPart(std::string_view folder, PathSyntax syntax)
{
    const char separator = syntax == PathSyntax::Windows ? '\\' : '/';
    // A drive's root keeps its backslash: "C:" alone is the drive's current folder.
    const bool driveRoot = syntax == PathSyntax::Windows && folder.size() > 1 && folder[folder.size() - 2] == ':';
    if (folder.size() > 1 && folder.ends_with(separator) && !driveRoot)
        folder.remove_suffix(1);
    return std::string(folder);
}
