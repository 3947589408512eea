#include "browse_dialog.h"
#include "gui_test_main.h"
#include "tfilename_edit.h"

#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

using namespace Qt::StringLiterals;

namespace {

// Every column of the details as wide as its heading and its entries, and no scroll bar across.
bool columnsFit(QTreeView* details)
{
    for (int column = 0; column < details->header()->count(); ++column) {
        const int needed = std::max(details->header()->sectionSizeHint(column),
                                    static_cast<QAbstractItemView*>(details)->sizeHintForColumn(column));
        if (details->header()->sectionSize(column) < needed)
            return false;
    }
    return !details->horizontalScrollBar()->isVisible();
}

} // namespace

class TestBrowseDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void realDialog();

private:
    QString withDir(QString text) const { return text.replace(u'@', m_dir.path()); }

    QTemporaryDir m_dir {QDir::tempPath() + u"/browse-dialog-XXXXXX"_s};
};

// The real dialog, as the field opens it with Alt+Down.
void TestBrowseDialog::realDialog()
{
    QVERIFY(QDir(m_dir.path()).mkpath(u"sub/carpeta"_s));
    QWidget w;
    w.resize(300, 220);
    auto* field = new TFilenameEdit(&w);
    field->setGeometry(86, 148, 201, 21);
    // Somewhere else the focus could go.
    (new TFilenameEdit(&w))->setGeometry(86, 172, 201, 21);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    field->setText(withDir(u"@/sub/x.txt"_s));

    // Checks the dialog once it shows, then answers as a user would, whatever the checks found.
    const auto answer = [](const std::function<void(QFileDialog*, QLineEdit*)>& check, const QString& typed) {
        QTimer::singleShot(0, [check, typed] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto* nameBox = dialog->findChild<QLineEdit*>(u"fileNameEdit"_s);
            const auto close = qScopeGuard([&] {
                if (typed.isEmpty()) {
                    dialog->reject();
                    return;
                }
                dialog->selectNameFilter(u"Rumbelo(*.txt)"_s);
                nameBox->setText(typed);
                QMetaObject::invokeMethod(dialog, "accept");
            });
            check(dialog, nameBox);
        });
    };

    answer(
        [&](QFileDialog* dialog, QLineEdit* nameBox) {
            QCOMPARE(dialog->windowTitle(), u"Browse"_s);
            QCOMPARE(dialog->nameFilters(), (QStringList {u"Pitovan (*.mdb)"_s, u"Rumbelo(*.txt)"_s}));
            QCOMPARE(dialog->selectedNameFilter(), u"Pitovan (*.mdb)"_s);
            QCOMPARE(dialog->directory().absolutePath(), withDir(u"@/sub"_s));
            QCOMPARE(nameBox->text(), withDir(u"@/sub/x.txt"_s));
            QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
            QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptOpen);
            QCOMPARE(dialog->fileMode(), QFileDialog::AnyFile);
            QCOMPARE(dialog->defaultSuffix(), QString());
            QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
            // Grown with its font, whose line height is 14 here; a folder's type in Spanish once it is in.
            QCOMPARE(dialog->size(), QSize(689, 431));
            auto* details = dialog->findChild<QTreeView*>(u"treeView"_s);
            QVERIFY(details);
            QTRY_COMPARE(details->model()->index(0, 2, details->rootIndex()).data().toString(), u"Carpeta"_s);
            QTRY_VERIFY(columnsFit(details));
            const QRect monitor = w.screen()->geometry();
            const QRect frame = dialog->frameGeometry();
            QCOMPARE(frame.topLeft(),
                     QPoint(monitor.x() + (monitor.width() - frame.width()) / 2,
                            monitor.y() + (monitor.height() - frame.height()) / 3));
        },
        u"my file"_s);
    QTest::keyClick(field, Qt::Key_Down, Qt::AltModifier);
    QCOMPARE(field->text(), withDir(u"\"@/sub/my file\""_s));
    QCOMPARE(field->fileName(), withDir(u"@/sub/my file"_s));

    answer(
        [&](QFileDialog* dialog, QLineEdit* nameBox) {
            QCOMPARE(dialog->selectedNameFilter(), u"Rumbelo(*.txt)"_s);
            QCOMPARE(dialog->directory().absolutePath(), withDir(u"@/sub"_s));
            QCOMPARE(nameBox->text(), withDir(u"@/sub/my file"_s));
        },
        QString());
    QTest::keyClick(field, Qt::Key_Down, Qt::AltModifier);
    QCOMPARE(field->text(), withDir(u"\"@/sub/my file\""_s));
    // The focus is the field's for when the desktop gives the window back its activation.
    QCOMPARE(w.focusWidget(), field);
    // The dialog's memory is never stored: not even Qt's own file lands among the user's settings.
    QCOMPARE(QDir(qEnvironmentVariable("XDG_CONFIG_HOME")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList());
}

CRIBAXON_GUI_TEST_MAIN(TestBrowseDialog)
#include "tst_browse_dialog.moc"
