#include "modal_driver.h"

#include <QApplication>
#include <QDialog>

ModalDriver::ModalDriver(std::function<void(QDialog*)> action)
{
    QTimer::singleShot(0, &m_context, [action] {
        if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            action(box);
    });
    m_watchdog.setSingleShot(true);
    QObject::connect(&m_watchdog, &QTimer::timeout, &m_context, [this] {
        if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            m_leftOpen = true;
            box->done(QDialog::Rejected);
        }
    });
    m_watchdog.start(5000);
}
