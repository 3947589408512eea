#pragma once

#include "message_boxes.h"
#include "user_message.h"

#include <QString>
#include <exception>

// Runs the body of an event handler; an exception that leaves it is shown in
// the error box and the event loop goes on. Qt's own frames are built without
// exception support, so no exception may cross them: every handler of ours
// that can fail runs its work through here.
template <typename Handler> void guardEvent(Handler&& handler) noexcept
{
    try {
        handler();
    } catch (...) {
        MessageBoxes::error(QString::fromStdString(userMessage(std::current_exception())));
    }
}
