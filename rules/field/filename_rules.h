#pragma once

#include "file_queries.h"

#include <string>
#include <string_view>

// The file-name field's text rules, over the bytes of a name as the system
// sees them.

// Where a name's folder part ends: at the last "/" on Linux, where a backslash
// or a colon is an ordinary character; at the last "\\" or ":" on Windows.
enum class PathSyntax
{
    Posix,
    Windows,
};

// name wrapped in double quotes when it holds a space and does not start with a double quote.
std::string QuoteSpacedName(std::string_view name);

// The leading word of text, with its quoted stretches unwrapped. The word has
// no length limit: a name longer than any buffer comes back whole.
std::string FirstWord(std::string_view text);

// text itself when it names an existing entry that is not a folder, else its FirstWord.
std::string LeadingFileName(const std::string& text, const FileQueries& queries);

// The file name that a run is given for the field's text: every double quote
// removed, wherever it stands.
std::string nameFromFieldText(std::string_view text);

// Not empty, and none of < > " [ ] |.
bool IsAcceptableFileName(std::string_view name);

// Whether the field takes value as its FileName: an empty one, or one whose leading file name is acceptable.
bool acceptsFileNameValue(const std::string& value, const FileQueries& queries);
// What the user reads when the field refuses value (UTF-8) as its FileName.
std::string invalidFileNameMessage(std::string_view value);

// Everything up to and including the last separator.
std::string folderPart(std::string_view name, PathSyntax syntax = PathSyntax::Posix);
// What follows the last separator.
std::string namePart(std::string_view name, PathSyntax syntax = PathSyntax::Posix);
// A folder part as the browse dialog's initial folder: without one trailing "/" or "\\", except for a root
// ("/", "\\", "C:\\").
std::string initialDirFromFolderPart(std::string_view folder, PathSyntax syntax = PathSyntax::Posix);
