#include "posix_file_queries.h"
#include "qt_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestPosixFileQueries : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void answers_data();
    void answers();
};

void TestPosixFileQueries::answers_data()
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

void TestPosixFileQueries::answers()
{
    QFETCH(QString, relative);
    QFETCH(bool, nonFolder);
    QFETCH(bool, folder);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    writeFile(dir.filePath(u"a b.txt"_s), {});
    QVERIFY(QDir(dir.path()).mkdir(u"sub"_s));
    QVERIFY(QFile::link(dir.filePath(u"sub"_s), dir.filePath(u"link"_s)));

    const std::string name = (QFile::encodeName(dir.path()) + '/' + QFile::encodeName(relative)).toStdString();
    const PosixFileQueries queries;
    QCOMPARE(queries.isExistingNonFolder(name), nonFolder);
    QCOMPARE(queries.isExistingFolder(name), folder);
}

QTEST_APPLESS_MAIN(TestPosixFileQueries)
#include "tst_posix_file_queries.moc"
