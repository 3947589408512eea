#pragma once

// Windows' headers, in the order they need: windows.h before those that build on it.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
// clang-format on
