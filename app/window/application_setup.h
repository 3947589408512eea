#pragma once

class QApplication;

// Before the application exists: where both X11 and Wayland are offered and
// the user has chosen neither, X11, where a window can place itself and learn
// its position, so that the stored position comes back.
void preferPlatformThatPlacesWindows();

// Before the application exists: the window scales itself with the font that
// the screen's dots per inch give, and keeps its place in the screen's own
// pixels. Qt's scaling would enlarge it a second time and round its place to
// a multiple of its factor, so it stays off unless the user has set it.
void layOutInScreenPixels();

// Title, Spanish texts of the toolkit's own dialogs, the window font and the flat look.
void setUpApplication(QApplication& application);
