"""Prints what a screen reader learns of the program's window over AT-SPI, one line per object:
its role, its name in quotes and its description, if any, in brackets, indented by depth. Prints
nothing while the program is not on the bus."""
import sys

import pyatspi

APPLICATION = "Zorvanti Cribaxon"


def show(accessible, depth):
    line = '%s%s "%s"' % ("  " * depth, accessible.getRoleName(), accessible.name)
    if accessible.description:
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
