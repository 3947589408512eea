#pragma once

class QApplication;

// The application's title: the program's name towards the desktop and the caption of its boxes.
inline constexpr const char* ApplicationTitle = "Zorvanti Cribaxon";

// Before the application exists: where both X11 and Wayland are offered and
// the user has chosen neither, X11, where a window can place itself and learn
// its position, so that the stored position comes back.
void preferPlatformThatPlacesWindows();

// Title, Spanish texts of the toolkit's own dialogs, the window font and the flat look.
void setUpApplication(QApplication& application);
