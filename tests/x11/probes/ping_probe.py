#!/usr/bin/python3
# The desktop's "are you alive" question: sends _NET_WM_PING to a window, as
# a window manager does, and waits for the answer the program sends back to
# the root window. Prints the answer time in milliseconds, or -1 when none
# came within the time limit.
#   ping_probe.py WINDOW_ID [LIMIT_MS]
import sys
import time

from Xlib import X, display, protocol

d = display.Display()
root = d.screen().root
# The answer goes to the root window for StructureNotify or SubstructureRedirect listeners.
root.change_attributes(event_mask=X.StructureNotifyMask)
window = d.create_resource_object("window", int(sys.argv[1], 0))
limit = int(sys.argv[2]) / 1000.0 if len(sys.argv) > 2 else 5.0
wm_protocols = d.intern_atom("WM_PROTOCOLS")
ping = d.intern_atom("_NET_WM_PING")
stamp = 424242
event = protocol.event.ClientMessage(window=window, client_type=wm_protocols,
                                     data=(32, [ping, stamp, window.id, 0, 0]))
start = time.monotonic()
window.send_event(event, event_mask=0)
d.flush()
while time.monotonic() - start < limit:
    while d.pending_events():
        e = d.next_event()
        if e.type == X.ClientMessage and e.client_type == wm_protocols:
            values = e.data[1]
            if values[0] == ping and values[1] == stamp:
                print(int((time.monotonic() - start) * 1000))
                sys.exit(0)
    time.sleep(0.005)
print(-1)
sys.exit(1)
