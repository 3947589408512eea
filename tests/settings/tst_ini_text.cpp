#include "ini_text.h"
#include "qt_files.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// What QSettings reads from the text: "section/key=value", sorted; empty where it cannot parse it.
QStringList readBack(const QByteArray& text)
{
    static int files = 0;
    const QTemporaryDir folder;
    // A file of a new name is parsed afresh: nothing comes from what this process cached.
    const QString path = folder.filePath(u"store%1.conf"_s.arg(++files));
    writeFile(path, text);
    QSettings settings(path, QSettings::IniFormat);
    QStringList values;
    const QStringList keys = settings.allKeys();
    for (const QString& key : keys)
        values << key + u'=' + settings.value(key).toStringList().join(u',');
    values.sort();
    return settings.status() == QSettings::NoError ? values : QStringList {u"(unparsable)"_s};
}

} // namespace

class IniTextTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lineAsQSettingsWritesIt_data();
    void lineAsQSettingsWritesIt();
    void valuesSetInTheText_data();
    void valuesSetInTheText();
    void parsesAsQSettingsDoes_data();
    void parsesAsQSettingsDoes();
};

void IniTextTest::lineAsQSettingsWritesIt_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("line");
    QTest::addRow("position") << u"NormPos"_s << u"450,170,750,564"_s << "NormPos=\"450,170,750,564\""_ba;
    QTest::addRow("resolution suffix") << u"NormPos(1024x768)"_s << u"1"_s << "NormPos%281024x768%29=1"_ba;
    QTest::addRow("name with blanks") << u"V"_s << u"/tmp/a b.mdb"_s << "V=/tmp/a b.mdb"_ba;
    QTest::addRow("accented name") << u"V"_s << u"/tmp/España.mdb"_s
                                   << "V=/tmp/Espa\xc3\xb1"
                                      "a.mdb"_ba;
    QTest::addRow("surrounding blanks") << u"V"_s << u"  x  "_s << "V=\"  x  \""_ba;
    QTest::addRow("at sign first") << u"V"_s << u"@ByteArray(x)"_s << "V=@@ByteArray(x)"_ba;
    QTest::addRow("separators of the file") << u"V"_s << u"a;b=c"_s << "V=\"a;b=c\""_ba;
    QTest::addRow("quotes") << u"V"_s << u"\"q\""_s << "V=\\\"q\\\""_ba;
    QTest::addRow("line break") << u"V"_s << u"a\nb"_s << "V=a\\nb"_ba;
    QTest::addRow("control code before a hex digit") << u"V"_s << u"\u0001a1"_s << "V=\\x1\\x61\\x31"_ba;
    QTest::addRow("empty") << u"V"_s << QString() << "V="_ba;
}

// Byte for byte what QSettings writes, and read back as written.
void IniTextTest::lineAsQSettingsWritesIt()
{
    QFETCH(QString, key);
    QFETCH(QString, text);
    QFETCH(QByteArray, line);
    QCOMPARE(IniText::line(key, text), line);
    QCOMPARE(readBack("[TFPral]\n" + line + '\n'), QStringList {u"TFPral/"_s + key + u'=' + text});
}

void IniTextTest::valuesSetInTheText_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray values = "A=1\nNormPos%281024x768%29=\"1,2\"\n";
    QTest::addRow("empty file") << QByteArray() << "[TFPral]\n" + values;
    QTest::addRow("other section kept") << "[Other]\nX=1\n"_ba
                                        << "[Other]\nX=1\n\n[TFPral]\n" + values;
    QTest::addRow("last line without its end") << "[Other]\nX=1"_ba
                                               << "[Other]\nX=1\n\n[TFPral]\n" + values;
    QTest::addRow("replaced in place, others kept")
        << "[TFPral]\nZ=9\nA=0\n; a note\n[Other]\nX=1\n"_ba
        << "[TFPral]\nZ=9\nA=1\nNormPos%281024x768%29=\"1,2\"\n; a note\n[Other]\nX=1\n"_ba;
    QTest::addRow("key as a person types it") << "[TFPral]\nNormPos(1024x768) = 0,0\n"_ba
                                              << "[TFPral]\nNormPos%281024x768%29=\"1,2\"\nA=1\n"_ba;
    QTest::addRow("repeated key") << "[TFPral]\nA=7\nB=2\nA=8\n"_ba
                                  << "[TFPral]\nA=1\nB=2\nNormPos%281024x768%29=\"1,2\"\n"_ba;
    QTest::addRow("section twice") << "[TFPral]\nA=7\n[Other]\nX=1\n[TFPral]\nB=2\n"_ba
                                   << "[TFPral]\nA=1\n[Other]\nX=1\n[TFPral]\nB=2\nNormPos%281024x768%29=\"1,2\"\n"_ba;
    QTest::addRow("line ends of Windows") << "[TFPral]\r\nA=0\r\nB=2\r\n"_ba
                                          << "[TFPral]\r\nA=1\r\nB=2\r\nNormPos%281024x768%29=\"1,2\"\n"_ba;
    QTest::addRow("quoted value over two lines") << "[TFPral]\nB=\"x\ny\"\nA=0\n"_ba
                                                 << "[TFPral]\nB=\"x\ny\"\nA=1\nNormPos%281024x768%29=\"1,2\"\n"_ba;
    QTest::addRow("key of another section") << "[Other]\nA=0\n"_ba
                                            << "[Other]\nA=0\n\n[TFPral]\n" + values;
}

// Every other byte stays, and QSettings reads the values set.
void IniTextTest::valuesSetInTheText()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, expected);
    const IniText::Values values {{u"A"_s, u"1"_s}, {u"NormPos(1024x768)"_s, u"1,2"_s}};
    const QByteArray merged = IniText::withValues(text, u"TFPral"_s, values);
    QCOMPARE(merged, expected);
    const QStringList read = readBack(merged);
    QVERIFY2(read.contains(u"TFPral/A=1"_s) && read.contains(u"TFPral/NormPos(1024x768)=1,2"_s),
             qPrintable(read.join(u' ')));
}

void IniTextTest::parsesAsQSettingsDoes_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addRow("whole") << "[TFPral]\nA=1\n"_ba;
    QTest::addRow("comment") << "; written by hand\n[TFPral]\nA=1\n"_ba;
    QTest::addRow("unclosed section") << "[TFPral]\nA=1\n[Notes\n"_ba;
    QTest::addRow("line that is no value") << "[TFPral]\nA=1\nnot a value line\n"_ba;
    QTest::addRow("quote left open") << "[TFPral]\nA=\"1\n"_ba;
    QTest::addRow("byte-order mark") << "\xEF\xBB\xBF[TFPral]\nA=1\n"_ba;
    QTest::addRow("empty") << QByteArray();
}

void IniTextTest::parsesAsQSettingsDoes()
{
    QFETCH(QByteArray, text);
    QCOMPARE(IniText::parses(text), readBack(text) != QStringList {u"(unparsable)"_s});
}

QTEST_GUILESS_MAIN(IniTextTest)
#include "tst_ini_text.moc"
