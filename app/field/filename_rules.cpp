#include "filename_rules.h"

#include <QByteArrayView>
#include <sys/stat.h>

namespace {

bool statOf(const QByteArray& name, struct stat& status)
{
    // The system would read a name with a NUL in it only up to the NUL.
    if (name.isEmpty() || name.contains('\0'))
        return false;
    return ::stat(name.constData(), &status) == 0;
}

class SystemFileQueries final : public FileQueries
{
public:
    bool isExistingNonFolder(const QByteArray& name) const override
    {
        struct stat status
        {
        };
        return statOf(name, status) && !S_ISDIR(status.st_mode);
    }

    bool isExistingFolder(const QByteArray& name) const override
    {
        struct stat status
        {
        };
        return statOf(name, status) && S_ISDIR(status.st_mode);
    }
};

bool isBlank(char c)
{
    const auto code = static_cast<unsigned char>(c);
    return code >= 1 && code <= 32;
}

} // namespace

const FileQueries& systemFileQueries()
{
    static const SystemFileQueries queries;
    return queries;
}

QByteArray QuoteSpacedName(const QByteArray& name)
{
    if (!name.contains(' ') || name.startsWith('"'))
        return name;
    return '"' + name + '"';
}

QByteArray FirstWord(const QByteArray& text)
{
    // A NUL ends the text, as it ends a name for the system.
    const qsizetype nul = text.indexOf('\0');
    const QByteArrayView rest = nul < 0 ? QByteArrayView(text) : QByteArrayView(text).first(nul);

    qsizetype i = 0;
    for (;;) {
        if (i < rest.size() && isBlank(rest[i]))
            ++i;
        else if (i + 1 < rest.size() && rest[i] == '"' && rest[i + 1] == '"')
            i += 2;
        else
            break;
    }

    QByteArray word;
    bool quoted = false;
    for (; i < rest.size(); ++i) {
        const char c = rest[i];
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && isBlank(c))
            break;
        else
            word += c;
    }
    return word;
}

QByteArray LeadingFileName(const QByteArray& text, const FileQueries& queries)
{
    return queries.isExistingNonFolder(text) ? text : FirstWord(text);
}

QByteArray nameFromFieldText(const QByteArray& text)
{
    QByteArray name = text;
    return name.removeIf([](char c) { return c == '"'; });
}

bool IsAcceptableFileName(const QByteArray& name)
{
    constexpr QByteArrayView refused = "<>\"[]|";
    if (name.isEmpty())
        return false;
    for (const char c : name) {
        if (refused.contains(c))
            return false;
    }
    return true;
}

QByteArray folderPart(const QByteArray& name)
{
    return name.left(name.lastIndexOf('/') + 1);
}

QByteArray namePart(const QByteArray& name)
{
    return name.mid(name.lastIndexOf('/') + 1);
}

QByteArray initialDirFromFolderPart(const QByteArray& folder)
{
    if (folder.size() > 1 && folder.endsWith('/'))
        return folder.chopped(1);
    return folder;
}
