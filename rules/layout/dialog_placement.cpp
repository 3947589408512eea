#include "dialog_placement.h"

Point browseDialogPosition(const Rect& monitor, Size frameSize)
{
    return {monitor.left + (monitor.width - frameSize.width) / 2,
            monitor.top + (monitor.height - frameSize.height) / 3};
}

Point centredOn(const Rect& screen, Size frameSize)
{
    return {screen.left + screen.width / 2 - frameSize.width / 2,
            screen.top + screen.height / 2 - frameSize.height / 2};
}
