#include "message_boxes.h"

#include "full_stop.h"
#include "information_box.h"
#include "wide_text.h"

namespace MessageBoxes {

void information(HWND owner, std::string_view text)
{
    if (const Hook::Function hook = testHook.get()) {
        hook(Kind::Information, std::string(text));
        return;
    }
    showInformationBox(owner, toWide(text));
}

void error(std::string_view message)
{
    const std::string text = withFullStop(message);
    if (const Hook::Function hook = testHook.get()) {
        hook(Kind::Error, text);
        return;
    }
    // Centred on the monitor of the active window, and modal for the whole program.
    const HWND active = GetActiveWindow();
    MessageBoxW(active, toWide(text).c_str(), ApplicationTitle, MB_OK | MB_ICONSTOP | (active ? 0 : MB_TASKMODAL));
}

} // namespace MessageBoxes
