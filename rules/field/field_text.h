#pragma once

#include <string>
#include <string_view>

// The field's text as both toolkits hold it, in UTF-16 code units.

// Drops the line breaks a pasted text may bring (CR, LF and the line and paragraph separators): a file name
// is one line. Returns where the caret that stood at caret stands afterwards.
std::size_t removeLineBreaks(std::u16string& text, std::size_t caret);

// The start of name that the browse dialog's name box takes: 260 units, one less rather than half of a
// character outside the BMP.
std::u16string_view cutForNameBox(std::u16string_view name);
