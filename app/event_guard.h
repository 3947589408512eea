#pragma once

#include "exception.h"
#include "message_boxes.h"

#include <QString>
#include <exception>
#include <new>

// Runs the body of an event handler; an exception that leaves it is shown in
// the error box and the event loop goes on. Qt's own frames are built without
// exception support, so no exception may cross them: every handler of ours
// that can fail runs its work through here.
template <typename Handler> void guardEvent(Handler&& handler) noexcept
{
    try {
        handler();
    } catch (const std::bad_alloc&) {
        MessageBoxes::error(QString::fromUtf8(OutOfMemoryMessage));
    } catch (const std::exception& failure) {
        MessageBoxes::error(QString::fromUtf8(failure.what()));
    }
}
