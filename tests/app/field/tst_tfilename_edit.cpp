#include "browse_dialog.h"
#include "ecombo_edit_error.h"
#include "gui_test_main.h"
#include "pixel_count.h"
#include "qt_files.h"
#include "tfilename_edit.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>
#include <QToolTip>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

// A window with the two fields where the main window has them; it records the keys they leave to it.
class Window final : public QWidget
{
public:
    Window()
    {
        resize(300, 220);
        first->setGeometry(86, 148, 201, 21);
        second->setGeometry(86, 172, 201, 21);
    }

    bool showActive()
    {
        show();
        return QTest::qWaitForWindowActive(this);
    }

    TFilenameEdit* first = new TFilenameEdit(this);
    TFilenameEdit* second = new TFilenameEdit(this);
    QList<int> keys;

protected:
    // Without the modifiers that QTest presses on their own before a key.
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() != Qt::Key_Alt && event->key() != Qt::Key_Shift && event->key() != Qt::Key_Control)
            keys << event->key();
    }
};

QToolButton* buttonOf(TFilenameEdit* field)
{
    return field->findChild<QToolButton*>();
}

} // namespace

class TestTFilenameEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void setFileNameThroughProperty_data();
    void setFileNameThroughProperty();
    void browseRequest_data();
    void browseRequest();
    void browseResult_data();
    void browseResult();
    void filterEntryRememberedPerField();
    void keys_data();
    void keys();
    void focusSelection_data();
    void focusSelection();
    void selectionHiddenWhileAnotherWindowIsActive();
    void buttonBrowsesOnReleaseOverIt_data();
    void buttonBrowsesOnReleaseOverIt();
    void pasteDropsLineBreaks_data();
    void pasteDropsLineBreaks();
    void dropIsRefused();
    void look_data();
    void look();

private:
    QString withDir(QString text) const { return text.replace(u'@', m_dir.path()); }

    QTemporaryDir m_dir {QDir::tempPath() + u"/filename-edit-XXXXXX"_s};
    QString m_startFolder = QDir::currentPath();
    QList<BrowseDialog::Request> m_requests;
    QList<BrowseDialog::Result> m_answers;
};

void TestTFilenameEdit::initTestCase()
{
    QVERIFY(m_dir.isValid());
    writeFile(m_dir.filePath(u"sub/[1].txt"_s), {});
}

void TestTFilenameEdit::init()
{
    m_requests.clear();
    m_answers.clear();
    BrowseDialog::testHook.set([this](const BrowseDialog::Request& request) {
        m_requests << request;
        return m_answers.isEmpty() ? BrowseDialog::Result {} : m_answers.takeFirst();
    });
}

void TestTFilenameEdit::cleanup()
{
    BrowseDialog::testHook.set({});
    QDir::setCurrent(m_startFolder);
}

void TestTFilenameEdit::setFileNameThroughProperty_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expectedText"); // empty: the write fails

    QTest::addRow("empty empties") << QString() << QString();
    QTest::addRow("space is quoted") << u"@/x y.txt"_s << u"\"@/x y.txt\""_s;
    QTest::addRow("starting quote kept") << u"\"@/x y.txt\""_s << u"\"@/x y.txt\""_s;
    QTest::addRow("less-than after the word") << u"@/x.txt <y"_s << u"\"@/x.txt <y\""_s;
    QTest::addRow("only spaces") << u"   "_s << QString();
    QTest::addRow("bar in leading word") << u"a|b c.txt"_s << QString();
    QTest::addRow("existing file with bracket") << u"@/sub/[1].txt"_s << QString();
    // QLineEdit's own limit is 32767.
    QTest::addRow("longer than any limit") << QString(40000, u'n') << QString(40000, u'n');
}

void TestTFilenameEdit::setFileNameThroughProperty()
{
    QFETCH(QString, value);
    QFETCH(QString, expectedText);
    value = withDir(value);
    const bool fails = !value.isEmpty() && expectedText.isEmpty();

    TFilenameEdit field;
    field.setText(u"old"_s);
    QSignalSpy changes(&field, &QLineEdit::textChanged);
    // The stored settings write the name through the meta-object system, so they ask first: a refusal
    // thrown there would cross Qt's frames.
    const StoredValueCheck& check = field;
    const bool accepted = check.acceptsStoredValue("FileName", value);
    QCOMPARE(accepted, !fails);
    QVERIFY(check.acceptsStoredValue("Text", value));
    QString message;
    try {
        if (accepted)
            QVERIFY(field.setProperty("FileName", value));
        else
            field.setFileName(value);
    } catch (const EComboEditError& error) {
        message = QString::fromUtf8(error.what());
    }

    QCOMPARE(message, fails ? u"Nombre de archivo inválido - "_s + value : QString());
    QCOMPARE(field.text(), fails ? u"old"_s : withDir(expectedText));
    QCOMPARE(changes.count(), fails ? 0 : 1);
}

void TestTFilenameEdit::browseRequest_data()
{
    QTest::addColumn<QString>("previousChoice"); // confirmed in a browse before, with entry 2
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("proposedName");
    QTest::addColumn<QString>("initialDir");
    QTest::addColumn<int>("filterIndex");

    const QString none;
    QTest::addRow("first browse of empty field") << none << none << none << none << 1;
    QTest::addRow("name in existing folder") << none << u"@/sub/x.txt"_s << u"@/sub/x.txt"_s << u"@/sub"_s << 1;
    QTest::addRow("name in missing folder")
        << u"@/sub/first.txt"_s << u"@/none/x.txt"_s << u"@/none/x.txt"_s << u"@/sub"_s << 2;
    QTest::addRow("empty after a confirm") << u"@/sub/first.txt"_s << none << u"@/sub/first.txt"_s << u"@/sub"_s << 2;
    QTest::addRow("refused name keeps memory")
        << u"@/sub/first.txt"_s << u"a|b"_s << u"@/sub/first.txt"_s << u"@/sub"_s << 2;
    QTest::addRow("name of 261 cut to 260") << none << QString(261, u'n') << QString(260, u'n') << none << 1;
}

void TestTFilenameEdit::browseRequest()
{
    QFETCH(QString, previousChoice);
    QFETCH(QString, text);
    QFETCH(QString, proposedName);
    QFETCH(QString, initialDir);
    QFETCH(int, filterIndex);

    Window w;
    if (!previousChoice.isEmpty()) {
        m_answers << BrowseDialog::Result {true, withDir(previousChoice), 2};
        w.first->browse();
    }
    w.first->setText(withDir(text));
    w.first->browse();

    QVERIFY(!m_requests.isEmpty());
    const BrowseDialog::Request& request = m_requests.constLast();
    QCOMPARE(request.window, &w);
    QCOMPARE(request.title, u"Browse"_s);
    QCOMPARE(request.filters, (QStringList {u"Pitovan (*.mdb)"_s, u"Rumbelo(*.txt)"_s}));
    QCOMPARE(request.acceptMode, QFileDialog::AcceptOpen);
    QCOMPARE(request.defaultSuffix, QString());
    QCOMPARE(request.proposedName, withDir(proposedName));
    QCOMPARE(request.initialDir, withDir(initialDir));
    QCOMPARE(request.filterIndex, filterIndex);
}

void TestTFilenameEdit::browseResult_data()
{
    QTest::addColumn<bool>("confirmed");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("expectedText");
    QTest::addColumn<QString>("expectedFileName");
    QTest::addColumn<QString>("currentFolder"); // empty: the one the test started in

    QTest::addRow("path without space") << true << u"@/sub/new.mdb"_s << u"@/sub/new.mdb"_s << u"@/sub/new.mdb"_s
                                        << u"@/sub"_s;
    QTest::addRow("path with space, folder gone")
        << true << u"@/my dir/new file"_s << u"\"@/my dir/new file\""_s << u"@/my dir/new file"_s << QString();
    QTest::addRow("cancel") << false << QString() << u"old.txt"_s << u"old.txt"_s << QString();
}

void TestTFilenameEdit::browseResult()
{
    QFETCH(bool, confirmed);
    QFETCH(QString, chosen);
    QFETCH(QString, expectedText);
    QFETCH(QString, expectedFileName);
    QFETCH(QString, currentFolder);

    Window w;
    QVERIFY(w.showActive());
    w.first->setText(u"old.txt"_s);
    w.second->setFocus();
    QSignalSpy changes(w.first, &QLineEdit::textChanged);
    m_answers << BrowseDialog::Result {confirmed, withDir(chosen), 1};

    w.first->browse();

    QCOMPARE(w.first->text(), withDir(expectedText));
    QCOMPARE(w.first->fileName(), withDir(expectedFileName));
    QCOMPARE(w.first->text().remove(u'"'), withDir(expectedFileName));
    QCOMPARE(changes.count(), confirmed ? 1 : 0);
    QVERIFY(w.first->hasFocus());
    // Relative names typed from now on, in either field, mean files there.
    QCOMPARE(QDir::currentPath(), currentFolder.isEmpty() ? m_startFolder : withDir(currentFolder));
}

void TestTFilenameEdit::filterEntryRememberedPerField()
{
    Window w;
    m_answers << BrowseDialog::Result {true, withDir(u"@/out.txt"_s), 2};
    w.first->browse();
    w.first->browse();
    w.second->browse();

    QCOMPARE(m_requests.size(), 3);
    QCOMPARE(m_requests[1].filterIndex, 2);
    QCOMPARE(m_requests[2].filterIndex, 1);
    QCOMPARE(m_requests[2].proposedName, QString());
}

void TestTFilenameEdit::keys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("browses");

    QTest::addRow("Alt+Down") << int(Qt::Key_Down) << Qt::KeyboardModifiers(Qt::AltModifier) << 1;
    QTest::addRow("Alt+Down on keypad") << int(Qt::Key_Down) << (Qt::AltModifier | Qt::KeypadModifier) << 1;
    QTest::addRow("Alt+Shift+Down") << int(Qt::Key_Down) << (Qt::AltModifier | Qt::ShiftModifier) << 0;
    QTest::addRow("Ctrl+Alt+Down") << int(Qt::Key_Down) << (Qt::AltModifier | Qt::ControlModifier) << 0;
    QTest::addRow("Alt+letter") << int(Qt::Key_G) << Qt::KeyboardModifiers(Qt::AltModifier) << 0;
    QTest::addRow("Alt+digit") << int(Qt::Key_2) << Qt::KeyboardModifiers(Qt::AltModifier) << 0;
    QTest::addRow("Alt+punctuation") << int(Qt::Key_Period) << Qt::KeyboardModifiers(Qt::AltModifier) << 0;
    QTest::addRow("Alt+Space") << int(Qt::Key_Space) << Qt::KeyboardModifiers(Qt::AltModifier) << 0;
    QTest::addRow("Down") << int(Qt::Key_Down) << Qt::KeyboardModifiers() << 0;
    QTest::addRow("Enter") << int(Qt::Key_Return) << Qt::KeyboardModifiers() << 0;
    QTest::addRow("keypad Enter") << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier) << 0;
    QTest::addRow("Escape") << int(Qt::Key_Escape) << Qt::KeyboardModifiers() << 0;
}

void TestTFilenameEdit::keys()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, browses);

    Window w;
    QVERIFY(w.showActive());
    w.first->setText(u"/tmp/a.txt"_s);
    w.first->setFocus();
    w.first->setCursorPosition(3);
    QTest::keyClick(w.first, Qt::Key(key), modifiers);

    QCOMPARE(m_requests.size(), browses);
    QCOMPARE(w.first->text(), u"/tmp/a.txt"_s);
    // Alt+Down is consumed; Enter, Escape and a character with Alt are left to the window.
    if (browses > 0)
        QVERIFY(!w.keys.contains(key));
    if (key != Qt::Key_Down)
        QCOMPARE(w.keys, QList<int> {key});
}

void TestTFilenameEdit::focusSelection_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("selected");

    QTest::addRow("Tab") << u"tab"_s << u"/tmp/a.txt"_s;
    QTest::addRow("program's focus call") << u"program"_s << u"/tmp/a.txt"_s;
    QTest::addRow("click into the text") << u"click"_s << QString();
    QTest::addRow("press on the button") << u"button"_s << u"/tmp/a.txt"_s;
    QTest::addRow("window activated again") << u"activation"_s << QString();
}

void TestTFilenameEdit::focusSelection()
{
    QFETCH(QString, how);
    QFETCH(QString, selected);

    Window w;
    QVERIFY(w.showActive());
    w.second->setText(u"/tmp/a.txt"_s);
    w.first->setFocus();
    if (how == u"tab") {
        QTest::keyClick(w.first, Qt::Key_Tab);
    } else if (how == u"program") {
        w.second->setFocus(Qt::OtherFocusReason);
    } else if (how == u"click") {
        QTest::mouseClick(w.second, Qt::LeftButton, {}, QPoint(30, 10));
        QCOMPARE(w.second->cursorPosition(), w.second->cursorPositionAt(QPoint(30, 10)));
    } else if (how == u"activation") {
        // Another window takes the keyboard and gives it back: the caret stays where it was.
        w.second->setFocus();
        w.second->setCursorPosition(3);
        QWidget other;
        other.show();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(w.second->cursorPosition(), 3);
    } else {
        // As a user does: the pointer comes over the button, then presses.
        QTest::mouseMove(buttonOf(w.second));
        QTest::mousePress(buttonOf(w.second), Qt::LeftButton);
    }

    QVERIFY(w.second->hasFocus());
    QCOMPARE(w.second->selectedText(), selected);
    // The selection is not kept for a field that has lost the focus.
    QTest::keyClick(w.second, Qt::Key_Tab);
    QCOMPARE(w.second->selectedText(), QString());
}

void TestTFilenameEdit::selectionHiddenWhileAnotherWindowIsActive()
{
    Window w;
    QVERIFY(w.showActive());
    w.first->setText(u"WWWWWWWW"_s);
    w.second->setFocus();
    w.first->setFocus(Qt::OtherFocusReason);
    const QColor highlight = w.first->palette().color(QPalette::Active, QPalette::Highlight);
    const auto showsSelection = [&] {
        const QImage image = w.first->grab().toImage();
        return pixelsOf(image, highlight, QRect(0, image.height() / 2, image.width(), 1)) > 0;
    };
    QVERIFY(showsSelection());

    QWidget other;
    other.show();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QCOMPARE(w.first->selectedText(), u"WWWWWWWW"_s);
    QVERIFY(!showsSelection());

    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QVERIFY(showsSelection());
}

void TestTFilenameEdit::buttonBrowsesOnReleaseOverIt_data()
{
    QTest::addColumn<QPoint>("release");
    QTest::addColumn<int>("browses");

    QTest::addRow("released over the button") << QPoint(5, 5) << 1;
    QTest::addRow("released elsewhere") << QPoint(-40, 5) << 0;
}

void TestTFilenameEdit::buttonBrowsesOnReleaseOverIt()
{
    QFETCH(QPoint, release);
    QFETCH(int, browses);

    Window w;
    QVERIFY(w.showActive());
    w.second->setFocus();
    QToolButton* button = buttonOf(w.first);
    QTest::mouseMove(button);
    QTest::mousePress(button, Qt::LeftButton);
    QCOMPARE(m_requests.size(), 0);
    QVERIFY(w.first->hasFocus());
    QTest::mouseRelease(button, Qt::LeftButton, {}, release);
    QCOMPARE(m_requests.size(), browses);
}

void TestTFilenameEdit::pasteDropsLineBreaks_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("cursor");

    QTest::addRow("trailing line feed") << u"/tmp/a.txt\n"_s << u"x/tmp/a.txty"_s << 11;
    QTest::addRow("CR LF between lines") << u"a\r\nb"_s << u"xaby"_s << 3;
}

void TestTFilenameEdit::pasteDropsLineBreaks()
{
    QFETCH(QString, pasted);
    QFETCH(QString, expected);
    QFETCH(int, cursor);

    TFilenameEdit field;
    field.setText(u"xy"_s);
    field.setCursorPosition(1);
    QGuiApplication::clipboard()->setText(pasted);
    field.paste();

    QCOMPARE(field.text(), expected);
    QCOMPARE(field.cursorPosition(), cursor);
}

void TestTFilenameEdit::dropIsRefused()
{
    Window w;
    QVERIFY(w.showActive());
    w.first->setText(u"old.txt"_s);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(u"/tmp/dropped.txt"_s)});
    data.setText(u"/tmp/dropped.txt"_s);

    // Through the window, as the system delivers a drag.
    QDragEnterEvent enter(w.first->mapTo(&w, QPoint(20, 10)), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(w.windowHandle(), &enter);

    QVERIFY(!enter.isAccepted());
    QCOMPARE(w.first->text(), u"old.txt"_s);
}

void TestTFilenameEdit::look_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<QRect>("button");

    QTest::addRow("21-pixel field") << 21 << QRect(178, 2, 21, 17);
    QTest::addRow("field scaled to 27") << 27 << QRect(178, 2, 21, 23);
}

void TestTFilenameEdit::look()
{
    QFETCH(int, height);
    QFETCH(QRect, button);

    Window w;
    w.first->resize(201, height);
    w.first->setText(QString(80, u'W'));
    w.first->setCursorPosition(0);
    w.first->setToolTip(u"Seleccionar el fichero original de datos del Pitovan o Rumbelo"_s);
    QVERIFY(w.showActive());

    QToolButton* browseButton = buttonOf(w.first);
    QCOMPARE(browseButton->geometry(), button);
    QCOMPARE(browseButton->focusPolicy(), Qt::NoFocus);
    QCOMPARE(browseButton->icon().pixmap(14, 12).size(), QSize(14, 12));

    // The text runs up to 2 pixels before the button and never under it.
    const QImage image = w.first->grab().toImage();
    const auto columnIsBlank = [&](int x) {
        return pixelsNotOf(image, w.first->palette().color(QPalette::Base), QRect(x, 4, 1, height - 8)) == 0;
    };
    QVERIFY(columnIsBlank(button.x() - 1));
    QVERIFY(columnIsBlank(button.x() - 2));
    QVERIFY(!columnIsBlank(button.x() - 3) || !columnIsBlank(button.x() - 4) || !columnIsBlank(button.x() - 5));

    // The button has no hint of its own and shows the field's.
    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), browseButton->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(browseButton, &help);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), w.first->toolTip());
    QToolTip::hideText();
}

CRIBAXON_GUI_TEST_MAIN(TestTFilenameEdit)
#include "tst_tfilename_edit.moc"
