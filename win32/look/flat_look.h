#pragma once

#include "windows_api.h"

// The flat look of the window's check boxes and push button: one thin line
// round the tick mark or the button, no bevel and no shadow, with normal,
// focused, hot, pressed and disabled looks. The answer to a button's
// NM_CUSTOMDRAW: the whole control is drawn here, its lengths scaled as the
// window's layout by the line height of the window font. A check box draws in
// the height its GWLP_USERDATA gives, where it has one.
LRESULT drawFlatButton(const NMCUSTOMDRAW& draw, int lineHeight);
