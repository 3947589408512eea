"""Prints what a screen reader learns of the program's windows over AT-SPI, one line per object:
its role, its name in quotes and its description, if any, in brackets, indented by depth. With
--boxes, the object's box on the screen, "x y width height", in place of the description. Prints
nothing while the program is not on the bus."""
import sys

import pyatspi

APPLICATION = "Zorvanti Cribaxon"
BOXES = "--boxes" in sys.argv[1:]


def show(accessible, depth):
    line = '%s%s "%s"' % ("  " * depth, accessible.getRoleName(), accessible.name)
    if BOXES:
        box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        line += " %d %d %d %d" % (box.x, box.y, box.width, box.height)
    elif accessible.description:
        line += " [%s]" % accessible.description
    print(line)
    for index in range(accessible.childCount):
        show(accessible.getChildAtIndex(index), depth + 1)


desktop = pyatspi.Registry.getDesktop(0)
for index in range(desktop.childCount):
    application = desktop.getChildAtIndex(index)
    if application is not None and application.name == APPLICATION:
        for window in range(application.childCount):
            show(application.getChildAtIndex(window), 0)
        sys.exit(0)
