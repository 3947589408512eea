#include "message_boxes.h"

#include "full_stop.h"
#include "information_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QShowEvent>
#include <string_view>

namespace {

// The desktop's standard box, centred on the monitor of the active window rather than on a parent.
class ErrorBox final : public QMessageBox
{
public:
    ErrorBox(const QString& text, QWidget* activeWindow)
        : QMessageBox(QMessageBox::Critical, MessageBoxes::title(), text, QMessageBox::Ok)
        , m_activeWindow(activeWindow)
    {
        // A file name in a message must not be read as markup.
        setTextFormat(Qt::PlainText);
        setWindowModality(Qt::ApplicationModal);
    }

protected:
    void showEvent(QShowEvent* event) override
    {
        // The box takes its final size here, so only now can it be centred.
        QMessageBox::showEvent(event);
        if (event->spontaneous())
            return;
        centreOnScreen(this, m_activeWindow ? m_activeWindow->screen() : QGuiApplication::primaryScreen(),
                       m_activeWindow);
    }

private:
    QPointer<QWidget> m_activeWindow;
};

// The same rule as the core's, on the same bytes, so that both always agree.
QString errorText(const QString& message)
{
    const QByteArray bytes = message.toUtf8();
    return QString::fromStdString(
        withFullStop(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
}

// Shows the box makeBox builds for the active window, or hands its text to the test hook instead.
template <typename MakeBox> void showModal(MessageBoxes::Kind kind, const QString& text, MakeBox makeBox)
{
    if (const MessageBoxes::Hook::Function hook = MessageBoxes::testHook.get()) {
        hook(kind, text);
        return;
    }
    const QPointer<QWidget> active = QApplication::activeWindow();
    auto box = makeBox(active.data());
    box.exec();
    // Window managers usually activate a closed box's owner, but not every one
    // does (nor does a bare X server): the window the user came from gets the keys again.
    if (active)
        active->activateWindow();
}

} // namespace

namespace MessageBoxes {

void information(QWidget* parent, const QString& text)
{
    showModal(Kind::Information, text, [&](QWidget*) { return InformationBox(parent, text); });
}

void error(const QString& message)
{
    const QString text = errorText(message);
    showModal(Kind::Error, text, [&](QWidget* active) { return ErrorBox(text, active); });
}

} // namespace MessageBoxes
