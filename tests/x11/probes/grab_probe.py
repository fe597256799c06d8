#!/usr/bin/python3
# Another program on the same desktop: can it take the pointer and the
# keyboard? Prints "pointer <status> keyboard <status>" (0 = success,
# 1 = already grabbed by someone else) and releases what it got.
from Xlib import X, display

d = display.Display()
root = d.screen().root
pointer = root.grab_pointer(False, X.ButtonPressMask, X.GrabModeAsync, X.GrabModeAsync, X.NONE, X.NONE, X.CurrentTime)
keyboard = root.grab_keyboard(False, X.GrabModeAsync, X.GrabModeAsync, X.CurrentTime)
d.ungrab_pointer(X.CurrentTime)
d.ungrab_keyboard(X.CurrentTime)
d.flush()
print("pointer %d keyboard %d" % (pointer, keyboard))
