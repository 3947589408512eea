#pragma once

#include <commctrl.h>
#include <windows.h>

// The flat look of the window's check boxes and push button: one thin line
// round the tick mark or the button, no bevel and no shadow, with normal,
// focused, hot, pressed and disabled looks. The answer to a button's
// NM_CUSTOMDRAW: the whole control is drawn here.
LRESULT drawFlatButton(const NMCUSTOMDRAW& draw, int dpi);
