#pragma once

#include "file_queries.h"
#include "filename_rules.h"

#include <optional>
#include <string>

// What is absent stays as the field's last browse left it.
struct BrowseStart
{
    std::optional<std::string> initialDir;
    std::optional<std::string> proposedName;
};

// From the text's leading file name while that is acceptable: its folder while that exists, and the name
// itself, empty for a folder.
BrowseStart browseStartOf(const std::string& fieldText, const FileQueries& queries,
                          PathSyntax syntax = PathSyntax::Posix);
