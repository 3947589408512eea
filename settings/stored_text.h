#pragma once

#include <QSize>
#include <QString>
#include <QStringView>
#include <optional>

// The text rules of the stored settings, apart from the store so that they are tested alone.
namespace StoredText {

// Optional leading blanks, an optional sign, then decimal digits, or hexadecimal
// digits after "$", "x" or "0x", up to the end of the text. Anything else, the
// empty text and a number outside the range of int are not integers.
std::optional<int> toInteger(QStringView text);

// Word n (counted from 1) of a text cut at runs of commas and blanks; empty when there is none.
QStringView word(QStringView text, int n);

// The text without its leading and trailing characters of code 32 or below.
QString trimmedControlCodes(QStringView text);

// Equal when the texts differ at most in the letter case of A to Z.
bool equalIgnoringLatinCase(QStringView left, QStringView right);

// "True" or "False" in any letter case of A to Z; nothing for any other text.
std::optional<bool> toBoolean(QStringView text);
QString fromBoolean(bool value);

// The file name of an executable without its folder and its last extension.
QString executableBaseName(QStringView path);

// Suffix of the position values that belong to one screen size: "(1024x768)".
QString resolutionSuffix(QSize screenSize);

// Four integers separated by single commas, no blanks.
QString positionText(int first, int second, int third, int fourth);

} // namespace StoredText
