#pragma once

#include "application_title.h"
#include "test_hook.h"

#include <QString>

class QWidget;

// The program's two modal boxes. Tests replace them with a hook that records
// what would have been shown, so that no box waits for a user.
namespace MessageBoxes {

enum class Kind
{
    Information,
    Error,
};

// The caption of both boxes.
inline QString title()
{
    return QString::fromUtf8(ApplicationTitle);
}

// The information box: the application title as caption, one "Aceptar" button.
// A CR, an LF or CR LF ends a line. Returns once the user has closed it.
void information(QWidget* parent, const QString& text);

// The error box: the application title as caption, stop icon, one OK button; the
// message gets a final "." when it ends in a character that sorts after ".".
void error(const QString& message);

using Hook = TestHook<void(Kind kind, const QString& shownText)>;
// While a hook is set, it receives the text the box would show instead of a box:
// the information text as given, the error text with its full stop.
inline Hook testHook;

} // namespace MessageBoxes
