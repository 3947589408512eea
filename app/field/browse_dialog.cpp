#include "browse_dialog.h"

#include "dialog_placement.h"
#include "frame_margins.h"
#include "qt_geometry.h"
#include "window_scaling.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QScreen>
#include <QSettings>
#include <QTreeView>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace BrowseDialog {
namespace {

// For a font whose line height is 13 pixels, as the main window; wide enough for every column at 96 dots per inch.
constexpr Size DesignedSize {640, 400};

// Every column as wide as its heading and its widest entry, the names taking the room that is left.
void fitColumns(QFileDialog& dialog)
{
    auto* details = dialog.findChild<QTreeView*>(u"treeView"_s);
    Q_ASSERT(details);
    if (!details)
        return;
    QHeaderView* header = details->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
}

void placeOnMonitorOf(QFileDialog& dialog, const QWidget* window)
{
    const QScreen* screen = window ? window->screen() : dialog.screen();
    Q_ASSERT(!dialog.testAttribute(Qt::WA_WState_Created));
    // A move before the dialog has its native window places the frame, not the inside. The desktop
    // draws the dialog's frame only as it shows it; until then the window's, drawn by the same desktop,
    // tells its size.
    const QSize frameSize = dialog.size().grownBy(frameMarginsOf(window));
    dialog.move(toQt(browseDialogPosition(fromQt(screen->geometry()), fromQt(frameSize))));
}

Result showFileDialog(const Request& request)
{
    // Qt's dialog keeps the folders and sizes of its last use in QtProject.conf among the user's
    // settings. The field's browse memory lasts only as long as the window: Qt's is sent where no
    // file can be, so that it is neither read nor written.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, u"/dev/null"_s);
    // Qt's own dialog rather than the desktop's, so that what we ask of it is what it does.
    QFileDialog dialog(request.window, request.title);
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(request.acceptMode);
    // A name that does not exist yet may be chosen: that is how a destination is named.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setNameFilters(request.filters);
    dialog.selectNameFilter(request.filters.value(request.filterIndex - 1));
    // Set after construction, which restores the folder of Qt's last dialog; a folder that is gone is left out.
    if (QFileInfo(request.initialDir).isDir())
        dialog.setDirectory(request.initialDir);
    // selectFile() would move to the name's folder and cut it from the name; the name box gets the name whole.
    auto* nameBox = dialog.findChild<QLineEdit*>(u"fileNameEdit"_s);
    Q_ASSERT(nameBox);
    if (nameBox)
        nameBox->setText(request.proposedName);

    dialog.setSizeGripEnabled(false);
    // It grows with its font as the main window does, so that what it shows at 96 dots per inch it shows at any.
    dialog.setFixedSize(toQt(scaledForLineHeight(DesignedSize, QFontMetrics(dialog.font()).height())));
    fitColumns(dialog);
    placeOnMonitorOf(dialog, request.window);

    // Unlike Windows there is no error mode to switch off around the dialog:
    // the system shows no boxes of its own for drives or files here.
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const auto entry = request.filters.indexOf(dialog.selectedNameFilter());
    return {true, dialog.selectedFiles().constFirst(), entry < 0 ? 1 : static_cast<int>(entry) + 1};
}

} // namespace

Result show(const Request& request)
{
    if (const Hook::Function hook = testHook.get())
        return hook(request);
    return showFileDialog(request);
}

} // namespace BrowseDialog
