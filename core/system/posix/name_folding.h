#pragma once

#include <string_view>

// How the file system of a folder compares the names in it.
enum class NameFolding
{
    Exact,
    // Letter case aside: folders with casefold set, NTFS, HFS+.
    LetterCase,
    // Letter case and trailing dots aside, as FAT, exFAT and Windows' shares do.
    LetterCaseAndTrailingDots,
    // A FUSE file system, which may do either, or neither: compared as the
    // previous, though a folder that lists both names holds two files.
    Unknown,
};

// From statfs(2)'s type of the folder's file system and its casefold flag.
NameFolding nameFoldingOf(long fileSystemType, bool casefoldFolder);

// Whether two names of one folder name the same entry there. Names are UTF-8
// where they decode as such, otherwise bytes compared as they are.
bool sameFoldedName(std::string_view a, std::string_view b, NameFolding folding);
