# Cuts the X screen into COUNT monitors side by side, as a desktop of as many monitors has them, prints
# "ready" and keeps them until it is ended: the X server drops the monitors of a client that leaves.
import signal
import sys

from Xlib import display
from Xlib.protocol import rq


# RRSetMonitor, its monitor spelt out: python-xlib's own cannot encode the monitor it is given.
class SetMonitor(rq.Request):
    _request = rq.Struct(
        rq.Card8('opcode'), rq.Opcode(43), rq.RequestLength(), rq.Window('window'),
        rq.Card32('name'), rq.Bool('primary'), rq.Bool('automatic'), rq.LengthOf('outputs', 2),
        rq.Int16('x'), rq.Int16('y'), rq.Card16('width'), rq.Card16('height'),
        rq.Card32('width_in_millimeters'), rq.Card32('height_in_millimeters'), rq.List('outputs', rq.Card32Obj))


count = int(sys.argv[1])
connection = display.Display()
screen = connection.screen()
# The screen's one output, left to itself, would stand for a monitor as large as the screen.
outputs = screen.root.xrandr_get_screen_resources().outputs
for monitor in range(count):
    SetMonitor(display=connection.display, opcode=connection.display.get_extension_major('RANDR'),
               window=screen.root, name=connection.intern_atom(f'CRIBAXON-{monitor}'), primary=monitor == 0,
               automatic=False, x=monitor * screen.width_in_pixels // count, y=0,
               width=screen.width_in_pixels // count, height=screen.height_in_pixels,
               width_in_millimeters=screen.width_in_mms // count, height_in_millimeters=screen.height_in_mms,
               outputs=outputs if monitor == 0 else [])
connection.sync()
print('ready', flush=True)
signal.pause()
