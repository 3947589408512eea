#include "browse_start.h"

#include "filename_rules.h"

BrowseStart browseStartOf(const std::string& fieldText, const FileQueries& queries)
{
    const std::string name = LeadingFileName(fieldText, queries);
    if (!IsAcceptableFileName(name))
        return {};
    BrowseStart start;
    const std::string folder = folderPart(name);
    if (queries.isExistingFolder(folder))
        start.initialDir = initialDirFromFolderPart(folder);
    start.proposedName = namePart(name).empty() ? std::string() : name;
    return start;
}
