#pragma once

// The application's title: the program's name towards the desktop and the caption of its boxes.
inline constexpr const char* ApplicationTitle = "Zorvanti Cribaxon";
