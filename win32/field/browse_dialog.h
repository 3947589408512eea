#pragma once

#include "test_hook.h"

#include <string>
#include <windows.h>

// The file-open dialog of the file-name field (GetOpenFileNameW). Tests replace
// it with a hook that sees what the field asks for and answers as a user would.
namespace BrowseDialog {

struct Request
{
    // The window the dialog is modal to; the dialog stands on that window's monitor.
    HWND owner = nullptr;
    std::wstring title;
    // Pairs of description and pattern, each ended by a zero, the list by one more.
    std::wstring filter;
    // 1-based entry of the filter preselected.
    int filterIndex = 1;
    // Put in the name box as it is, folder part included.
    std::wstring proposedName;
    // Empty: the dialog opens where the system chooses.
    std::wstring initialDir;
    DWORD options = 0;
};

struct Result
{
    bool confirmed = false;
    // The chosen name as a full path; it need not exist.
    std::wstring fileName;
    // 1-based entry of the filter in use when the user confirmed.
    int filterIndex = 1;
};

// Shows the dialog modally, without the system's own boxes for drives that are
// not ready or files that cannot be opened, and returns when the user has closed
// it; a dialog that fails counts as cancelled.
Result show(const Request& request);

using Hook = TestHook<Result(const Request& request)>;
// While a hook is set, it answers in place of the dialog.
inline Hook testHook;

} // namespace BrowseDialog
