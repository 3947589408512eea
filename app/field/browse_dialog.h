#pragma once

#include "test_hook.h"

#include <QFileDialog>
#include <QString>
#include <QStringList>

class QWidget;

// The file-open dialog of the file-name field. Tests replace it with a hook
// that sees what the field asks for and answers as a user would.
namespace BrowseDialog {

struct Request
{
    // The window the dialog is modal to; the dialog stands on that window's monitor.
    QWidget* window = nullptr;
    QString title;
    // Qt name filters, "Description (patterns)"; the patterns are those in the parentheses.
    QStringList filters;
    // 1-based entry of filters preselected.
    int filterIndex = 1;
    // Put in the name box as it is, folder part included.
    QString proposedName;
    // Empty: the dialog opens where it chooses itself.
    QString initialDir;
    QFileDialog::AcceptMode acceptMode = QFileDialog::AcceptOpen;
    QString defaultSuffix;
};

struct Result
{
    bool confirmed = false;
    // The chosen name as a full path; it need not exist.
    QString fileName;
    // 1-based entry of filters in use when the user confirmed.
    int filterIndex = 1;
};

// Shows the dialog modally and returns when the user has closed it; a dialog
// that fails counts as cancelled.
Result show(const Request& request);

using Hook = TestHook<Result(const Request& request)>;
// While a hook is set, it answers in place of the dialog.
inline Hook testHook;

} // namespace BrowseDialog
