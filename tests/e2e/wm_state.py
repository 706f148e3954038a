#!/usr/bin/python3
"""Keeps the ICCCM WM_STATE property of top-level windows, the one part of a window
manager's work that Wine waits for.

Wine hides a window it manages only once WM_STATE says the window manager saw it mapped,
and waits up to two seconds for that; on a bare Xvfb nobody ever writes the property, so
every window that closes keeps its place on the screen, and its process alive, two seconds
longer than on a desktop. This writes NormalState when a top-level window is mapped and
WithdrawnState when it is unmapped, and does nothing else: no frames, no placement, no
focus. It runs until killed or until the display goes away.

Usage: wm_state.py   (on $DISPLAY; prints one line once it watches, or at once when a
window manager is running, and then has nothing to do)"""
import sys

from Xlib import X, display, error

NORMAL_STATE = 1
WITHDRAWN_STATE = 0


def window_manager_running(disp):
    """A window manager that follows the freedesktop conventions announces itself on the
    root window."""
    root = disp.screen().root
    check = root.get_full_property(disp.intern_atom("_NET_SUPPORTING_WM_CHECK"), X.AnyPropertyType)
    return check is not None


def keep(disp):
    root = disp.screen().root
    wm_state = disp.intern_atom("WM_STATE")
    root.change_attributes(event_mask=X.SubstructureNotifyMask)
    disp.sync()
    print("wm_state: watching", flush=True)
    while True:
        event = disp.next_event()
        if event.type not in (X.MapNotify, X.UnmapNotify) or event.event != root:
            continue
        if event.type == X.MapNotify and event.override:
            continue
        state = NORMAL_STATE if event.type == X.MapNotify else WITHDRAWN_STATE
        try:
            event.window.change_property(wm_state, wm_state, 32, [state, X.NONE])
            disp.flush()
        except error.XError:
            pass  # the window is already gone


def main():
    disp = display.Display()
    if window_manager_running(disp):
        print("wm_state: a window manager is running", flush=True)
        return
    # A window that is destroyed before its property is written gives an asynchronous error.
    disp.set_error_handler(lambda *args: None)
    try:
        keep(disp)
    except (error.ConnectionClosedError, OSError):
        pass


if __name__ == "__main__":
    sys.exit(main())
