#pragma once

#include <optional>
#include <string>
#include <string_view>

// The text rules of the stored settings. Texts are UTF-8; the rules look at
// ASCII characters only.
namespace StoredText {

// Optional leading blanks, an optional sign, then decimal digits, or hexadecimal
// digits after "$", "x" or "0x", up to the end of the text. Anything else, the
// empty text and a number outside the range of int are not integers.
std::optional<int> toInteger(std::string_view text);

// Word n (counted from 1) of a text cut at runs of commas and blanks; empty when there is none.
std::string_view word(std::string_view text, int n);

// The text without its leading and trailing characters of code 32 or below.
std::string_view trimmedControlCodes(std::string_view text);

// Equal when the texts differ at most in the letter case of A to Z.
bool equalIgnoringLatinCase(std::string_view left, std::string_view right);

// "True" or "False" in any letter case of A to Z; nothing for any other text.
std::optional<bool> toBoolean(std::string_view text);
std::string_view fromBoolean(bool value);

// The file name of an executable without its folder and its last extension.
// Folders end at the separators given: "/" on Linux, "\\" and ":" on Windows.
std::string executableBaseName(std::string_view path, std::string_view separators);

// Suffix of the position values that belong to one screen size: "(1024x768)".
std::string resolutionSuffix(int width, int height);

// Four integers separated by single commas, no blanks.
std::string positionText(int first, int second, int third, int fourth);

} // namespace StoredText
