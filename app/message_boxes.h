#pragma once

#include <QString>
#include <functional>

class QWidget;

// The program's two modal boxes. Tests replace them with a hook that records
// what would have been shown, so that no box waits for a user.
namespace MessageBoxes {

enum class Kind
{
    Information,
    Error,
};

// The application title, caption of both boxes.
inline QString title()
{
    return QStringLiteral("Zorvanti Cribaxon");
}

// The information box: caption "Zorvanti Cribaxon", one "Aceptar" button.
// A CR, an LF or CR LF ends a line. Returns once the user has closed it.
void information(QWidget* parent, const QString& text);

// The error box: caption "Zorvanti Cribaxon", stop icon, one OK button; the
// message gets a final "." when it ends in a character that sorts after ".".
void error(const QString& message);

using Hook = std::function<void(Kind kind, const QString& shownText)>;
// While a hook is set, it receives the text the box would show instead of a box:
// the information text as given, the error text with its full stop.
void setTestHook(Hook hook);

// Sets a hook for the life of a scope, so that a test that stops half-way
// leaves no hook behind for the next one.
class ScopedTestHook final
{
public:
    explicit ScopedTestHook(Hook hook) { setTestHook(std::move(hook)); }
    ~ScopedTestHook() { setTestHook({}); }
    ScopedTestHook(const ScopedTestHook&) = delete;
    ScopedTestHook& operator=(const ScopedTestHook&) = delete;
};

} // namespace MessageBoxes
