#pragma once

#include <string>
#include <windows.h>

// Shows the information box modally over owner and returns once it is closed:
// Enter, Esc, its button or its close box.
void showInformationBox(HWND owner, const std::wstring& text);

// The control ids of the box's text and button, for those who look inside it.
inline constexpr int InformationTextId = 100;
inline constexpr int InformationButtonId = IDOK;
