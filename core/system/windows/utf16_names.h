#pragma once

#include <optional>
#include <string>
#include <string_view>

// The core holds names in UTF-8, Windows in UTF-16, where a lone surrogate may
// stand. Each name keeps one spelling both ways: a lone surrogate travels as
// its code point in UTF-8's form (WTF-8), so that a name the system gives comes
// back to it unchanged, and no other file is opened in its place.

// Nothing for bytes that are not such UTF-8, or that spell a character twice.
std::optional<std::wstring> utf16Name(std::string_view name);
std::string utf8Name(std::wstring_view name);
