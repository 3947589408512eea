#pragma once

#include "test_hook.h"

#include <string>
#include <string_view>
#include <windows.h>

// The application's title: the caption of both boxes.
inline constexpr const wchar_t* ApplicationTitle = L"Zorvanti Cribaxon";

// The program's two modal boxes. Tests replace them with a hook that records
// what would have been shown, so that no box waits for a user. Texts are UTF-8.
namespace MessageBoxes {

enum class Kind
{
    Information,
    Error,
};

// The information box: the text over one "Aceptar" button, laid out in the
// message font, centred on the owner's monitor. A CR, an LF or CR LF ends a
// line. Returns once the user has closed it.
void information(HWND owner, std::string_view text);

// The error box: the desktop's message box with the stop icon and one OK
// button; the message gets a final "." when it ends in a character that sorts after ".".
void error(std::string_view message);

using Hook = TestHook<void(Kind kind, const std::string& shownText)>;
// While a hook is set, it receives the text the box would show instead of a box:
// the information text as given, the error text with its full stop.
inline Hook testHook;

} // namespace MessageBoxes
