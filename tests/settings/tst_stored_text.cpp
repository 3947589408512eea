#include "stored_text.h"

#include <QTest>
#include <optional>

using namespace Qt::StringLiterals;

class StoredTextTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void integerConversion_data();
    void integerConversion();
    void positionWords_data();
    void positionWords();
    void trimming_data();
    void trimming();
    void booleanTexts_data();
    void booleanTexts();
    void executableBaseName_data();
    void executableBaseName();
};

void StoredTextTest::integerConversion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<int>>("expected");
    const std::optional<int> none;
    QTest::addRow("decimal") << u"42"_s << std::optional(42);
    QTest::addRow("zero") << u"0"_s << std::optional(0);
    QTest::addRow("leading zeros") << u"007"_s << std::optional(7);
    QTest::addRow("negative") << u"-17"_s << std::optional(-17);
    QTest::addRow("plus sign") << u"+5"_s << std::optional(5);
    QTest::addRow("leading blanks") << u"   12"_s << std::optional(12);
    QTest::addRow("trailing blank") << u"12 "_s << none;
    QTest::addRow("blank after sign") << u"- 5"_s << none;
    QTest::addRow("empty") << QString() << none;
    QTest::addRow("blanks only") << u"  "_s << none;
    QTest::addRow("sign only") << u"-"_s << none;
    QTest::addRow("dollar hex") << u"$1F"_s << std::optional(31);
    QTest::addRow("dollar hex small letters") << u"$1f"_s << std::optional(31);
    QTest::addRow("x hex") << u"x10"_s << std::optional(16);
    QTest::addRow("0x hex") << u"0x10"_s << std::optional(16);
    QTest::addRow("negative hex") << u"-$10"_s << std::optional(-16);
    QTest::addRow("hex prefix only") << u"0x"_s << none;
    QTest::addRow("dollar only") << u"$"_s << none;
    QTest::addRow("hex digit in decimal") << u"12a"_s << none;
    QTest::addRow("not a hex digit") << u"$1g"_s << none;
    QTest::addRow("fraction") << u"1.5"_s << none;
    QTest::addRow("other script digit") << u"\u0663"_s << none;
    QTest::addRow("largest") << u"2147483647"_s << std::optional(2147483647);
    QTest::addRow("one past largest") << u"2147483648"_s << none;
    QTest::addRow("smallest") << u"-2147483648"_s << std::optional(-2147483647 - 1);
    QTest::addRow("one below smallest") << u"-2147483649"_s << none;
    QTest::addRow("largest hex") << u"$7FFFFFFF"_s << std::optional(2147483647);
    QTest::addRow("far too long") << u"99999999999999999999999"_s << none;
}

void StoredTextTest::integerConversion()
{
    QFETCH(QString, text);
    QFETCH(std::optional<int>, expected);
    QCOMPARE(StoredText::toInteger(text), expected);
}

void StoredTextTest::positionWords_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("expected");
    QTest::addRow("first of four") << u"450,170,750,564"_s << 1 << u"450"_s;
    QTest::addRow("last of four") << u"450,170,750,564"_s << 4 << u"564"_s;
    QTest::addRow("missing third") << u"100,200"_s << 3 << QString();
    QTest::addRow("blank separated") << u"100 200"_s << 2 << u"200"_s;
    QTest::addRow("run of commas and blanks") << u"100 ,, ,200"_s << 2 << u"200"_s;
    QTest::addRow("leading separators") << u" ,,100,200"_s << 1 << u"100"_s;
    QTest::addRow("trailing separators") << u"100,200,, "_s << 3 << QString();
    QTest::addRow("word not a number") << u"x,200,0,0"_s << 1 << u"x"_s;
    QTest::addRow("empty text") << QString() << 1 << QString();
}

void StoredTextTest::positionWords()
{
    QFETCH(QString, text);
    QFETCH(int, n);
    QFETCH(QString, expected);
    QCOMPARE(StoredText::word(text, n).toString(), expected);
}

void StoredTextTest::trimming_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::addRow("blanks and line ends") << u" \t a b \r\n"_s << u"a b"_s;
    QTest::addRow("control codes") << u"\u0001x\u001f"_s << u"x"_s;
    QTest::addRow("inner blanks kept") << u"/tmp/a b.mdb"_s << u"/tmp/a b.mdb"_s;
    QTest::addRow("blanks only") << u"   "_s << QString();
    QTest::addRow("no-break space kept") << u"\u00a0x\u00a0"_s << u"\u00a0x\u00a0"_s;
}

void StoredTextTest::trimming()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(StoredText::trimmedControlCodes(text), expected);
}

void StoredTextTest::booleanTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<bool>>("expected");
    const std::optional<bool> none;
    QTest::addRow("True") << u"True"_s << std::optional(true);
    QTest::addRow("small letters") << u"true"_s << std::optional(true);
    QTest::addRow("capitals") << u"TRUE"_s << std::optional(true);
    QTest::addRow("False mixed case") << u"fAlSe"_s << std::optional(false);
    QTest::addRow("one") << u"1"_s << none;
    QTest::addRow("yes") << u"yes"_s << none;
    QTest::addRow("empty") << QString() << none;
    QTest::addRow("untrimmed") << u" True"_s << none;
    QTest::addRow("long s folds only outside A-Z") << u"Fal\u017fe"_s << none;
}

void StoredTextTest::booleanTexts()
{
    QFETCH(QString, text);
    QFETCH(std::optional<bool>, expected);
    QCOMPARE(StoredText::toBoolean(text), expected);
}

void StoredTextTest::executableBaseName_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
    QTest::addRow("no extension") << u"/usr/bin/zorvanti-cribaxon"_s << u"zorvanti-cribaxon"_s;
    QTest::addRow("last extension only") << u"/opt/tools/filter.new.exe"_s << u"filter.new"_s;
    QTest::addRow("dot in a folder") << u"/opt/v1.2/filter"_s << u"filter"_s;
    QTest::addRow("name is all extension") << u"/home/u/.filter"_s << QString();
    QTest::addRow("no folder") << u"filter.sh"_s << u"filter"_s;
}

void StoredTextTest::executableBaseName()
{
    QFETCH(QString, path);
    QFETCH(QString, expected);
    QCOMPARE(StoredText::executableBaseName(path), expected);
}

QTEST_APPLESS_MAIN(StoredTextTest)
#include "tst_stored_text.moc"
