#pragma once

#include "file_queries.h"

#include <optional>
#include <string>

// What the browse dialog starts from for the field's text. What is absent stays as the field's
// last browse left it.
struct BrowseStart
{
    std::optional<std::string> initialDir;
    // Empty for a name that ends in a folder.
    std::optional<std::string> proposedName;
};

// Taken from the text's leading file name while that is acceptable; its folder only while it exists.
BrowseStart browseStartOf(const std::string& fieldText, const FileQueries& queries);
