#pragma once

#include <QRect>
#include <optional>

class QWindow;

// What X11 and its window manager say of a window's frame and state. Nothing off X11.

// The outer frame on the screen, from where X11 has the window and the frame
// margins that the manager last announced (none before it has framed it).
std::optional<QRect> x11FrameGeometry(const QWindow& window);

// The manager has minimized the window, as X11 has it now: Qt hears of it
// only when it gets to the news, and meanwhile the manager may be shrinking
// the frame away across the screen.
bool x11Iconic(const QWindow& window);

// How much larger than the window the manager would make its frame, were it
// to show the window, not yet shown, in the state it is in: asked of the
// manager and awaited for a moment. Nothing either where the manager cannot
// say or does not answer in time.
std::optional<QSize> askFrameGrowth(const QWindow& window);
