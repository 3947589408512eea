#include "browse_start.h"

#include "filename_rules.h"

BrowseStart browseStartOf(const std::string& fieldText, const FileQueries& queries, PathSyntax syntax)
{
    const std::string name = LeadingFileName(fieldText, queries);
    if (!IsAcceptableFileName(name))
        return {};
    BrowseStart start;
    const std::string folder = folderPart(name, syntax);
    if (queries.isExistingFolder(folder))
        start.initialDir = initialDirFromFolderPart(folder, syntax);
    start.proposedName = namePart(name, syntax).empty() ? std::string() : name;
    return start;
}
