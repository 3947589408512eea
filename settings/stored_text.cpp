#include "stored_text.h"

#include <limits>

namespace StoredText {

namespace {

constexpr QChar Blank = u' ';

int digitValue(QChar character, int base)
{
    const char16_t code = character.unicode();
    int value = base;
    if (code >= u'0' && code <= u'9')
        value = code - u'0';
    else if (code >= u'a' && code <= u'f')
        value = code - u'a' + 10;
    else if (code >= u'A' && code <= u'F')
        value = code - u'A' + 10;
    return value < base ? value : -1;
}

bool isWordSeparator(QChar character)
{
    return character == Blank || character == u',';
}

char16_t latinLower(char16_t code)
{
    return code >= u'A' && code <= u'Z' ? static_cast<char16_t>(code - u'A' + u'a') : code;
}

} // namespace

std::optional<int> toInteger(QStringView text)
{
    qsizetype at = 0;
    while (at < text.size() && text[at] == Blank)
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+')) {
        negative = text[at] == u'-';
        ++at;
    }
    int base = 10;
    if (at < text.size() && (text[at] == u'$' || text[at] == u'x')) {
        base = 16;
        ++at;
    } else if (text.sliced(at).startsWith(u"0x")) {
        base = 16;
        at += 2;
    }
    if (at == text.size())
        return std::nullopt;

    // One past the largest magnitude, that of the smallest negative int.
    constexpr qint64 Limit = qint64(std::numeric_limits<int>::max()) + 1;
    qint64 magnitude = 0;
    for (; at < text.size(); ++at) {
        const int digit = digitValue(text[at], base);
        if (digit < 0)
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > Limit)
            return std::nullopt;
    }
    const qint64 value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(value);
}

QStringView word(QStringView text, int n)
{
    qsizetype at = 0;
    for (int count = 1;; ++count) {
        while (at < text.size() && isWordSeparator(text[at]))
            ++at;
        if (at == text.size())
            return {};
        const qsizetype start = at;
        while (at < text.size() && !isWordSeparator(text[at]))
            ++at;
        if (count == n)
            return text.sliced(start, at - start);
    }
}

QString trimmedControlCodes(QStringView text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start].unicode() <= 32)
        ++start;
    while (end > start && text[end - 1].unicode() <= 32)
        --end;
    return text.sliced(start, end - start).toString();
}

bool equalIgnoringLatinCase(QStringView left, QStringView right)
{
    if (left.size() != right.size())
        return false;
    for (qsizetype i = 0; i < left.size(); ++i) {
        if (latinLower(left[i].unicode()) != latinLower(right[i].unicode()))
            return false;
    }
    return true;
}

std::optional<bool> toBoolean(QStringView text)
{
    if (equalIgnoringLatinCase(text, u"True"))
        return true;
    if (equalIgnoringLatinCase(text, u"False"))
        return false;
    return std::nullopt;
}

QString fromBoolean(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

QString executableBaseName(QStringView path)
{
    const QStringView name = path.sliced(path.lastIndexOf(u'/') + 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    return (dot < 0 ? name : name.first(dot)).toString();
}

QString resolutionSuffix(QSize screenSize)
{
    return QStringLiteral("(%1x%2)").arg(screenSize.width()).arg(screenSize.height());
}

QString positionText(int first, int second, int third, int fourth)
{
    return QStringLiteral("%1,%2,%3,%4").arg(first).arg(second).arg(third).arg(fourth);
}

} // namespace StoredText
