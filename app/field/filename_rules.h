#pragma once

#include <QByteArray>

// The file-name field's text rules, over the bytes of a name as the system
// sees them (QFile::encodeName). The folder separator is "/"; a backslash or a
// colon is an ordinary character of a name.

// What the rules ask of the file system.
class FileQueries
{
public:
    virtual ~FileQueries() = default;

    // Whether name, unchanged, names an existing entry that is not a folder.
    virtual bool isExistingNonFolder(const QByteArray& name) const = 0;
    virtual bool isExistingFolder(const QByteArray& name) const = 0;
};

const FileQueries& systemFileQueries();

// name wrapped in double quotes when it holds a space and does not start with a double quote.
QByteArray QuoteSpacedName(const QByteArray& name);

// The leading word of text, with its quoted stretches unwrapped. The word has
// no length limit: a name longer than any buffer comes back whole.
QByteArray FirstWord(const QByteArray& text);

// text itself when it names an existing entry that is not a folder, else its FirstWord.
QByteArray LeadingFileName(const QByteArray& text, const FileQueries& queries = systemFileQueries());

// The file name that a run is given for the field's text: every double quote
// removed, wherever it stands.
QByteArray nameFromFieldText(const QByteArray& text);

// Not empty, and none of < > " [ ] |.
bool IsAcceptableFileName(const QByteArray& name);

// Everything up to and including the last "/".
QByteArray folderPart(const QByteArray& name);
// What follows the last "/".
QByteArray namePart(const QByteArray& name);
// A folder part as the browse dialog's initial folder: without its trailing "/", except for the root.
QByteArray initialDirFromFolderPart(const QByteArray& folder);
