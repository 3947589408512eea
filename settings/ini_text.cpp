#include "ini_text.h"

#include <QStringView>
#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace IniText {

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isSpecial(char c)
{
    return c == '\n' || c == '\r' || c == '"' || c == ';' || c == '=' || c == '\\';
}

// One line as QSettings cuts the file: quoted stretches and a backslash before
// a line's end carry it on; a comment that starts a line is skipped with the
// blanks after it.
struct Line
{
    qsizetype start = 0;
    qsizetype length = 0;
    qsizetype equals = -1; // within the line; -1 for none
    qsizetype next = 0; // where the next line is looked for
};

bool nextLine(QByteArrayView data, qsizetype from, Line& line)
{
    const qsizetype size = data.size();
    bool inQuotes = false;
    line.equals = -1;
    qsizetype start = from;
    while (start < size && isSpace(data[start]))
        ++start;
    qsizetype i = start;
    while (i < size) {
        const char c = data[i];
        ++i;
        if (!isSpecial(c))
            continue;
        if (c == '=') {
            if (!inQuotes && line.equals == -1)
                line.equals = i - 1 - start;
        } else if (c == '\n' || c == '\r') {
            if (i == start + 1) {
                ++start;
            } else if (!inQuotes) {
                --i;
                break;
            }
        } else if (c == '\\') {
            if (i < size) {
                const char escaped = data[i++];
                if (i < size) {
                    const char after = data[i];
                    if ((escaped == '\n' && after == '\r') || (escaped == '\r' && after == '\n'))
                        ++i;
                }
            }
        } else if (c == '"') {
            inQuotes = !inQuotes;
        } else if (i == start + 1) { // ';' starting the line
            while (i < size && data[i] != '\n' && data[i] != '\r')
                ++i;
            while (i < size && isSpace(data[i]))
                ++i;
            start = i;
            line.equals = -1;
        } else if (!inQuotes) {
            --i;
            break;
        }
    }
    line.start = start;
    line.length = i - start;
    line.next = i;
    return line.length > 0;
}

QString unescapedKey(QByteArrayView key)
{
    const QString decoded = QString::fromUtf8(key);
    QString result;
    for (qsizetype i = 0; i < decoded.size();) {
        const QChar c = decoded[i];
        if (c == u'\\') {
            result += u'/';
            ++i;
            continue;
        }
        const qsizetype digitsAt = i + 1 < decoded.size() && decoded[i + 1] == u'U' ? i + 2 : i + 1;
        const qsizetype digits = digitsAt == i + 2 ? 4 : 2;
        bool isNumber = false;
        const ushort code = c == u'%' && digitsAt + digits <= decoded.size()
            ? QStringView(decoded).sliced(digitsAt, digits).toUShort(&isNumber, 16)
            : 0;
        if (isNumber) {
            result += QChar(code);
            i = digitsAt + digits;
        } else {
            result += c;
            ++i;
        }
    }
    return result;
}

// The section a line "[...]" opens, as QSettings names it.
QString sectionOf(QByteArrayView line)
{
    const qsizetype end = line.indexOf(']');
    const QByteArrayView name = line.first(end < 0 ? line.size() : end).sliced(1).trimmed();
    if (name.compare("general", Qt::CaseInsensitive) == 0)
        return {};
    if (name.compare("%general", Qt::CaseInsensitive) == 0)
        return QString::fromLatin1(name.sliced(1));
    return unescapedKey(name);
}

QByteArray escapedKey(const QString& key)
{
    QByteArray result;
    for (const QChar c : key) {
        const char16_t code = c.unicode();
        if (code == u'/')
            result += '\\';
        else if ((code >= u'a' && code <= u'z') || (code >= u'A' && code <= u'Z') || (code >= u'0' && code <= u'9')
                 || code == u'_' || code == u'-' || code == u'.')
            result += static_cast<char>(code);
        else if (code <= 0xff)
            result += '%' + QByteArray::number(code, 16).toUpper().rightJustified(2, '0');
        else
            result += "%U" + QByteArray::number(code, 16).toUpper().rightJustified(4, '0');
    }
    return result;
}

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

QByteArray escapedText(const QString& text)
{
    // A text that begins as QSettings' own notations do is told apart by a second "@".
    const QString marked = text.contains(QChar::Null) ? u"@String("_s + text + u')'
        : text.startsWith(u'@')                       ? u'@' + text
                                                      : text;
    const QByteArray bytes = marked.toUtf8();
    QByteArray result;
    bool needsQuotes = false;
    bool escapeNextIfHexDigit = false;
    for (const char c : bytes) {
        needsQuotes = needsQuotes || c == ';' || c == ',' || c == '=';
        if (escapeNextIfHexDigit && isHexDigit(c)) {
            result += "\\x" + QByteArray::number(static_cast<unsigned char>(c), 16);
            continue;
        }
        escapeNextIfHexDigit = false;
        switch (c) {
        case '\0':
            result += "\\0";
            escapeNextIfHexDigit = true;
            break;
        case '\a':
            result += "\\a";
            break;
        case '\b':
            result += "\\b";
            break;
        case '\f':
            result += "\\f";
            break;
        case '\n':
            result += "\\n";
            break;
        case '\r':
            result += "\\r";
            break;
        case '\t':
            result += "\\t";
            break;
        case '\v':
            result += "\\v";
            break;
        case '"':
        case '\\':
            result += '\\';
            result += c;
            break;
        default:
            if (c >= 0 && c <= 0x1f) {
                result += "\\x" + QByteArray::number(c, 16);
                escapeNextIfHexDigit = true;
            } else
                result += c;
        }
    }
    if (needsQuotes || result.startsWith(' ') || result.endsWith(' '))
        return '"' + result + '"';
    return result;
}

QByteArrayView lineEndAt(QByteArrayView data, qsizetype at)
{
    if (data.sliced(at).startsWith("\r\n"))
        return "\r\n";
    if (at < data.size() && (data[at] == '\n' || data[at] == '\r'))
        return data.sliced(at, 1);
    return {};
}

} // namespace

bool parses(QByteArrayView text)
{
    Line line;
    for (qsizetype at = 0; nextLine(text, at, line); at = line.next) {
        const QByteArrayView content = text.sliced(line.start, line.length);
        if (content.startsWith('[') ? !content.contains(']') : line.equals < 0 && !content.startsWith(';'))
            return false;
    }
    return true;
}

QByteArray line(const QString& key, const QString& value)
{
    return escapedKey(key) + '=' + escapedText(value);
}

QByteArray withValues(QByteArrayView text, const QString& section, const Values& values)
{
    struct Edit
    {
        qsizetype from;
        qsizetype to;
        QByteArray replacement;
    };
    std::vector<Edit> edits;
    std::vector<bool> written(static_cast<std::size_t>(values.size()), false);
    qsizetype sectionEnd = -1; // after the section's last line and its line end
    bool inSection = section.isEmpty();
    if (inSection)
        sectionEnd = 0;
    Line line;
    for (qsizetype at = 0; nextLine(text, at, line); at = line.next) {
        const QByteArrayView content = text.sliced(line.start, line.length);
        const qsizetype lineEnd = line.next + lineEndAt(text, line.next).size();
        if (content.startsWith('['))
            inSection = sectionOf(content) == section;
        if (!inSection)
            continue;
        sectionEnd = lineEnd;
        if (content.startsWith('[') || line.equals < 0)
            continue;
        const QString key = unescapedKey(content.first(line.equals).trimmed());
        const auto found
            = std::find_if(values.begin(), values.end(), [&](const auto& value) { return value.first == key; });
        if (found == values.end())
            continue;
        const auto index = static_cast<std::size_t>(found - values.begin());
        // QSettings takes a key's last line: the value's own line is its only one.
        if (written[index])
            edits.push_back({line.start, lineEnd, {}});
        else
            edits.push_back({line.start, line.start + line.length, IniText::line(found->first, found->second)});
        written[index] = true;
    }

    QByteArray added;
    for (std::size_t i = 0; i < written.size(); ++i) {
        const auto& value = values[static_cast<qsizetype>(i)];
        if (!written[i])
            added += IniText::line(value.first, value.second) + '\n';
    }
    if (!added.isEmpty()) {
        const qsizetype at = sectionEnd < 0 ? text.size() : sectionEnd;
        const bool lineOpen = at > 0 && text[at - 1] != '\n' && text[at - 1] != '\r';
        // A section of its own after the others, a blank line between, as QSettings writes them.
        if (sectionEnd < 0)
            added.prepend((text.isEmpty() ? "[" : "\n[") + escapedKey(section) + "]\n");
        if (lineOpen)
            added.prepend('\n');
        edits.push_back({at, at, added});
    }

    QByteArray result;
    qsizetype copied = 0;
    for (const Edit& edit : edits) {
        result += text.sliced(copied, edit.from - copied);
        result += edit.replacement;
        copied = edit.to;
    }
    result += text.sliced(copied);
    return result;
}

} // namespace IniText
