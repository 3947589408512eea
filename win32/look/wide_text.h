#pragma once

#include <string>
#include <string_view>

// The program's texts are UTF-8, Windows' are UTF-16: they meet here. A unit
// that cannot be converted becomes U+FFFD.
std::wstring toWide(std::string_view text);
std::string toUtf8(std::wstring_view text);
