#include "filename_rules.h"
#include "qt_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Answers from a fixed list of files and folders.
class FakeFileQueries final : public FileQueries
{
public:
    FakeFileQueries(QList<QByteArray> files, QList<QByteArray> folders)
        : m_files(std::move(files))
        , m_folders(std::move(folders))
    { }

    bool isExistingNonFolder(const QByteArray& name) const override { return m_files.contains(name); }
    bool isExistingFolder(const QByteArray& name) const override { return m_folders.contains(name); }

private:
    QList<QByteArray> m_files;
    QList<QByteArray> m_folders;
};

} // namespace

class TestFilenameRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void quoteSpacedName_data();
    void quoteSpacedName();
    void firstWord_data();
    void firstWord();
    void leadingFileName_data();
    void leadingFileName();
    void runNameLosesEveryDoubleQuote();
    void isAcceptableFileName_data();
    void isAcceptableFileName();
    void folderAndNameParts_data();
    void folderAndNameParts();
    void systemQueries_data();
    void systemQueries();
};

void TestFilenameRules::quoteSpacedName_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("expected");

    QTest::addRow("empty") << QByteArray() << QByteArray();
    QTest::addRow("no space") << QByteArray("/tmp/a.txt") << QByteArray("/tmp/a.txt");
    QTest::addRow("space") << QByteArray("/tmp/my a.txt") << QByteArray("\"/tmp/my a.txt\"");
    QTest::addRow("only spaces") << QByteArray("  ") << QByteArray("\"  \"");
    QTest::addRow("tab does not count") << QByteArray("a\tb") << QByteArray("a\tb");
    QTest::addRow("starts with quote") << QByteArray("\"a b") << QByteArray("\"a b");
}

void TestFilenameRules::quoteSpacedName()
{
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, expected);
    QCOMPARE(QuoteSpacedName(name), expected);
}

void TestFilenameRules::firstWord_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray longWord(300, 'w');
    QTest::addRow("empty") << QByteArray() << QByteArray();
    QTest::addRow("all spaces") << QByteArray("   ") << QByteArray();
    QTest::addRow("plain word, rest ignored") << QByteArray("a.txt b.txt") << QByteArray("a.txt");
    QTest::addRow("leading spaces and controls") << QByteArray(" \t\x01\x1f"
                                                               "a.txt")
                                                 << QByteArray("a.txt");
    QTest::addRow("quote pairs between blanks") << QByteArray("\"\" \"\"  a b") << QByteArray("a");
    QTest::addRow("quoted name") << QByteArray("\"/my dir/a b.txt\" c") << QByteArray("/my dir/a b.txt");
    QTest::addRow("quoted stretch inside") << QByteArray("a\"b c\"d e") << QByteArray("ab cd");
    QTest::addRow("quote pair inside word") << QByteArray("a\"\"b c") << QByteArray("ab");
    QTest::addRow("unclosed quote runs to end") << QByteArray("\"a b  ") << QByteArray("a b  ");
    QTest::addRow("tab ends word") << QByteArray("a\tb") << QByteArray("a");
    QTest::addRow("high bytes ordinary") << QByteArray("ñandú.txt x") << QByteArray("ñandú.txt");
    QTest::addRow("NUL ends text") << QByteArray("a\0b c", 5) << QByteArray("a");
    QTest::addRow("word of 300 kept whole") << longWord + " tail" << longWord;
}

void TestFilenameRules::firstWord()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, expected);
    QCOMPARE(FirstWord(text), expected);
}

void TestFilenameRules::leadingFileName_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("expected");

    QTest::addRow("existing file with spaces") << QByteArray("/d/a b.txt") << QByteArray("/d/a b.txt");
    QTest::addRow("missing file with spaces") << QByteArray("/d/x y.txt") << QByteArray("/d/x");
    QTest::addRow("existing folder does not count") << QByteArray("/d/my folder") << QByteArray("/d/my");
    QTest::addRow("leading spaces, no such file") << QByteArray("  /d/x.txt") << QByteArray("/d/x.txt");
    QTest::addRow("quoted existing file") << QByteArray("\"/d/a b.txt\"") << QByteArray("/d/a b.txt");
}

void TestFilenameRules::leadingFileName()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, expected);
    const FakeFileQueries queries({"/d/a b.txt"}, {"/d/my folder"});
    QCOMPARE(LeadingFileName(text, queries), expected);
}

void TestFilenameRules::runNameLosesEveryDoubleQuote()
{
    QCOMPARE(nameFromFieldText("\"my points.MDB\""), QByteArray("my points.MDB"));
    QCOMPARE(nameFromFieldText("o\"u\"t.mdb"), QByteArray("out.mdb"));
}

void TestFilenameRules::isAcceptableFileName_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<bool>("expected");

    QTest::addRow("empty") << QByteArray() << false;
    for (const char refused : QByteArray("<>\"[]|"))
        QTest::addRow("refused %c", refused) << QByteArray("a") + refused + "b.txt" << false;
    QTest::addRow("wildcards, colon, backslash") << QByteArray("*?:\\a.txt") << true;
    QTest::addRow("very long") << QByteArray(5000, 'x') << true;
}

void TestFilenameRules::isAcceptableFileName()
{
    QFETCH(QByteArray, name);
    QFETCH(bool, expected);
    QCOMPARE(IsAcceptableFileName(name), expected);
}

void TestFilenameRules::folderAndNameParts_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("folder");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("initialDir");

    QTest::addRow("full path") << QByteArray("/a/b/c.txt") << QByteArray("/a/b/") << QByteArray("c.txt")
                               << QByteArray("/a/b");
    QTest::addRow("folder ending in slash")
        << QByteArray("/a/b/") << QByteArray("/a/b/") << QByteArray() << QByteArray("/a/b");
    QTest::addRow("double slash loses one")
        << QByteArray("//c") << QByteArray("//") << QByteArray("c") << QByteArray("/");
    QTest::addRow("bare name") << QByteArray("c.txt") << QByteArray() << QByteArray("c.txt") << QByteArray();
    QTest::addRow("backslash and colon ordinary")
        << QByteArray("/a/C:\\b.txt") << QByteArray("/a/") << QByteArray("C:\\b.txt") << QByteArray("/a");
}

void TestFilenameRules::folderAndNameParts()
{
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, folder);
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, initialDir);
    QCOMPARE(folderPart(name), folder);
    QCOMPARE(namePart(name), file);
    QCOMPARE(initialDirFromFolderPart(folderPart(name)), initialDir);
}

void TestFilenameRules::systemQueries_data()
{
    QTest::addColumn<QString>("relative");
    QTest::addColumn<bool>("nonFolder");
    QTest::addColumn<bool>("folder");

    QTest::addRow("file") << u"a b.txt"_s << true << false;
    QTest::addRow("folder") << u"sub"_s << false << true;
    QTest::addRow("file with slash") << u"a b.txt/"_s << false << false;
    QTest::addRow("link to folder") << u"link"_s << false << true;
    QTest::addRow("missing") << u"missing.txt"_s << false << false;
    QTest::addRow("wildcard is no search") << u"*.txt"_s << false << false;
    QTest::addRow("NUL after a file name") << u"a b.txt"_s + QChar(0) + u"x"_s << false << false;
}

void TestFilenameRules::systemQueries()
{
    QFETCH(QString, relative);
    QFETCH(bool, nonFolder);
    QFETCH(bool, folder);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    writeFile(dir.filePath(u"a b.txt"_s), {});
    QVERIFY(QDir(dir.path()).mkdir(u"sub"_s));
    QVERIFY(QFile::link(dir.filePath(u"sub"_s), dir.filePath(u"link"_s)));

    const QByteArray name = QFile::encodeName(dir.path()) + '/' + QFile::encodeName(relative);
    QCOMPARE(systemFileQueries().isExistingNonFolder(name), nonFolder);
    QCOMPARE(systemFileQueries().isExistingFolder(name), folder);
}

QTEST_APPLESS_MAIN(TestFilenameRules)
#include "tst_filename_rules.moc"
