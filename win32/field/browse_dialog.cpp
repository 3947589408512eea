#include "browse_dialog.h"

#include "dialog_placement.h"
#include "windows_api.h"

#include <vector>

namespace BrowseDialog {
namespace {

// The name box holds 260 characters and the terminating zero.
constexpr std::size_t NameBufferLength = MAX_PATH + 1;

// Puts the system's error mode back however the dialog ends.
class ErrorModeAround final
{
public:
    ErrorModeAround()
        : m_previous(SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX))
    { }
    ~ErrorModeAround() { SetErrorMode(m_previous); }
    ErrorModeAround(const ErrorModeAround&) = delete;
    ErrorModeAround& operator=(const ErrorModeAround&) = delete;

private:
    UINT m_previous;
};

// Once the dialog is built: centred across the main window's monitor, a third of its free height down.
UINT_PTR CALLBACK placeDialog(HWND child, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_NOTIFY || reinterpret_cast<const NMHDR*>(lParam)->code != CDN_INITDONE)
        return 0;
    const HWND dialog = GetParent(child);
    const auto* request
        = reinterpret_cast<const Request*>(reinterpret_cast<const OFNOTIFYW*>(lParam)->lpOFN->lCustData);
    MONITORINFO monitor {};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(request->owner ? request->owner : dialog, MONITOR_DEFAULTTOPRIMARY), &monitor);
    RECT frame {};
    GetWindowRect(dialog, &frame);
    const Rect area {monitor.rcMonitor.left, monitor.rcMonitor.top, monitor.rcMonitor.right - monitor.rcMonitor.left,
                     monitor.rcMonitor.bottom - monitor.rcMonitor.top};
    const Point topLeft = browseDialogPosition(area, {frame.right - frame.left, frame.bottom - frame.top});
    SetWindowPos(dialog, nullptr, topLeft.x, topLeft.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

Result showOpenDialog(const Request& request)
{
    std::vector<wchar_t> name(NameBufferLength, L'\0');
    request.proposedName.copy(name.data(), NameBufferLength - 1);
    OPENFILENAMEW dialog {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = request.owner;
    dialog.lpstrFilter = request.filter.c_str();
    dialog.nFilterIndex = static_cast<DWORD>(request.filterIndex);
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    dialog.lpstrInitialDir = request.initialDir.empty() ? nullptr : request.initialDir.c_str();
    dialog.lpstrTitle = request.title.c_str();
    dialog.Flags = request.options;
    dialog.lpfnHook = placeDialog;
    dialog.lCustData = reinterpret_cast<LPARAM>(&request);

    const ErrorModeAround errorMode;
    if (!GetOpenFileNameW(&dialog))
        return {};
    return {true, name.data(), static_cast<int>(dialog.nFilterIndex)};
}

} // namespace

Result show(const Request& request)
{
    if (const Hook::Function hook = testHook.get())
        return hook(request);
    return showOpenDialog(request);
}

} // namespace BrowseDialog
