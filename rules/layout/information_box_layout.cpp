#include "information_box_layout.h"

#include "window_scaling.h"

#include <algorithm>

int informationBoxTextWidthLimit(int screenWidth)
{
    return screenWidth / 2;
}

InformationBoxLayout layOutInformationBox(Size textSize, const MessageFontMeasures& font)
{
    // w is lettersWidth / 52: 2 w, 12.5 w, 1.75 h and 1.25 h as exact fractions, rounded as MulDiv rounds.
    const int w = font.lettersWidth;
    const int h = font.lineHeight;
    const int sideMargin = mulDiv(w, 2, 52);
    const int buttonWidth = std::max(mulDiv(w, 25, 104), font.captionWidth + 8);
    const int buttonHeight = mulDiv(h, 7, 4);
    const int buttonTop = h + textSize.height + mulDiv(h, 5, 4);
    const int clientWidth = std::max(textSize.width, buttonWidth) + 2 * sideMargin;

    return {.text = {sideMargin, h, textSize.width, textSize.height},
            .button = {(clientWidth - buttonWidth) / 2, buttonTop, buttonWidth, buttonHeight},
            .client = {clientWidth, buttonTop + buttonHeight + h}};
}
