#include "x11_frame.h"

#include <QGuiApplication>
#include <QMargins>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <thread>
#include <xcb/xcb.h>

namespace {

using namespace std::chrono_literals;

// Managers answer within milliseconds; one that claims to answer and does not
// must not hold up the start for long.
constexpr auto AnswerTime = 500ms;
constexpr auto PollInterval = 5ms;

template <typename Reply> using ReplyPointer = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply> ReplyPointer<Reply> owned(Reply* reply)
{
    return {reply, &std::free};
}

// A window as X11 has it: its connection, its id and its geometry.
struct X11Window
{
    xcb_connection_t* connection;
    xcb_window_t id;
    ReplyPointer<xcb_get_geometry_reply_t> geometry;
};

// None where the window does not exist on X11.
std::optional<X11Window> onX11(const QWindow& window)
{
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 && window.handle() ? x11->connection() : nullptr;
    if (!connection)
        return std::nullopt;
    const auto id = static_cast<xcb_window_t>(window.winId());
    auto geometry = owned(xcb_get_geometry_reply(connection, xcb_get_geometry(connection, id), nullptr));
    if (!geometry)
        return std::nullopt;
    return X11Window {connection, id, std::move(geometry)};
}

xcb_atom_t atom(xcb_connection_t* connection, std::string_view name)
{
    const auto reply = owned(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, false, static_cast<uint16_t>(name.size()), name.data()), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

ReplyPointer<xcb_get_property_reply_t> property(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name,
                                                xcb_atom_t type, uint32_t length)
{
    return owned(xcb_get_property_reply(connection, xcb_get_property(connection, false, window, name, type, 0, length),
                                        nullptr));
}

bool managerSupports(xcb_connection_t* connection, xcb_window_t root, xcb_atom_t feature)
{
    const auto supported = property(connection, root, atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 1024);
    if (!supported || supported->format != 32)
        return false;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(supported.get()));
    return std::find(atoms, atoms + supported->value_len, feature) != atoms + supported->value_len;
}

// Asked of the server once: an atom lasts as long as the server, and the
// program has one connection to it. Read at every move, and polled for.
xcb_atom_t frameExtentsAtom(xcb_connection_t* connection)
{
    static const xcb_atom_t extents = atom(connection, "_NET_FRAME_EXTENTS");
    return extents;
}

xcb_atom_t wmStateAtom(xcb_connection_t* connection)
{
    static const xcb_atom_t state = atom(connection, "WM_STATE");
    return state;
}

std::optional<QMargins> frameExtents(xcb_connection_t* connection, xcb_window_t window)
{
    const auto extents = property(connection, window, frameExtentsAtom(connection), XCB_ATOM_CARDINAL, 4);
    if (!extents || extents->format != 32 || extents->value_len != 4)
        return std::nullopt;
    // Left, right, top, bottom.
    const auto* values = static_cast<const uint32_t*>(xcb_get_property_value(extents.get()));
    return QMargins(static_cast<int>(values[0]), static_cast<int>(values[2]), static_cast<int>(values[1]),
                    static_cast<int>(values[3]));
}

} // namespace

std::optional<QRect> x11FrameGeometry(const QWindow& window)
{
    const std::optional<X11Window> x11 = onX11(window);
    if (!x11)
        return std::nullopt;
    const auto onRoot = owned(xcb_translate_coordinates_reply(
        x11->connection, xcb_translate_coordinates(x11->connection, x11->id, x11->geometry->root, 0, 0), nullptr));
    if (!onRoot)
        return std::nullopt;
    const QMargins margins = frameExtents(x11->connection, x11->id).value_or(QMargins());
    return QRect(QPoint(onRoot->dst_x, onRoot->dst_y), QSize(x11->geometry->width, x11->geometry->height))
        .marginsAdded(margins);
}

bool x11Iconic(const QWindow& window)
{
    const std::optional<X11Window> x11 = onX11(window);
    if (!x11)
        return false;
    const xcb_atom_t wmState = wmStateAtom(x11->connection);
    const auto state = property(x11->connection, x11->id, wmState, wmState, 1);
    constexpr uint32_t IconicState = 3;
    return state && state->format == 32 && state->value_len == 1
        && *static_cast<const uint32_t*>(xcb_get_property_value(state.get())) == IconicState;
}

std::optional<QSize> askFrameGrowth(const QWindow& window)
{
    const std::optional<X11Window> x11 = onX11(window);
    if (!x11)
        return std::nullopt;
    xcb_connection_t* connection = x11->connection;
    const xcb_window_t id = x11->id;
    const xcb_atom_t request = atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    if (!managerSupports(connection, x11->geometry->root, request))
        return std::nullopt;

    // The manager answers by setting the window's frame extents; any it set before are not the answer.
    xcb_delete_property(connection, id, frameExtentsAtom(connection));
    xcb_client_message_event_t message {};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(connection, false, x11->geometry->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);

    // Qt reads the connection's events on a thread of its own, so the answer is looked for, not waited on.
    const auto deadline = std::chrono::steady_clock::now() + AnswerTime;
    for (;;) {
        if (const std::optional<QMargins> margins = frameExtents(connection, id))
            return QSize(margins->left() + margins->right(), margins->top() + margins->bottom());
        if (std::chrono::steady_clock::now() >= deadline)
            return std::nullopt;
        std::this_thread::sleep_for(PollInterval);
    }
}
