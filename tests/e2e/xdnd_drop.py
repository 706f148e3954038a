#!/usr/bin/python3
"""Plays the desktop's part in a drag and drop: offers files as text/uri-list over the
XDND protocol and drops them on a window at a point of the screen.

Usage: xdnd_drop.py WINDOW_ID X Y FILE...   (X, Y in root coordinates)
Exits 0 when the target accepted the drop and said it was finished."""
import select
import sys
import time
import urllib.parse

from Xlib import X, display
from Xlib.protocol import event

XDND_VERSION = 5


def uri_list(paths):
    return "".join("file://" + urllib.parse.quote(path) + "\r\n" for path in paths).encode("ascii")


class XdndSource:
    def __init__(self, disp):
        self.disp = disp
        self.window = disp.screen().root.create_window(-10, -10, 1, 1, 0, X.CopyFromParent)
        names = ["XdndAware", "XdndSelection", "XdndEnter", "XdndPosition", "XdndStatus", "XdndLeave",
                 "XdndDrop", "XdndFinished", "XdndActionCopy", "text/uri-list"]
        self.atom = {name: disp.intern_atom(name) for name in names}

    def send(self, target, kind, data):
        message = event.ClientMessage(window=target, client_type=self.atom[kind],
                                      data=(32, (data + [0] * 5)[:5]))
        target.send_event(message, event_mask=X.NoEventMask)
        self.disp.flush()

    def answer(self, request, data):
        """Hands the offered bytes to the requestor, as a selection owner must."""
        prop = request.property
        if request.target == self.atom["text/uri-list"]:
            request.requestor.change_property(prop, request.target, 8, data)
        else:
            prop = X.NONE
        notify = event.SelectionNotify(time=request.time, requestor=request.requestor,
                                       selection=request.selection, target=request.target, property=prop)
        request.requestor.send_event(notify, event_mask=X.NoEventMask)
        self.disp.flush()

    def drop(self, target, x, y, paths, timeout=10.0):
        data = uri_list(paths)
        self.window.set_selection_owner(self.atom["XdndSelection"], X.CurrentTime)
        me = self.window.id
        self.send(target, "XdndEnter", [me, XDND_VERSION << 24, self.atom["text/uri-list"]])
        self.send(target, "XdndPosition", [me, 0, (x << 16) | y, X.CurrentTime, self.atom["XdndActionCopy"]])
        deadline = time.monotonic() + timeout
        dropped = False
        while time.monotonic() < deadline:
            if not self.disp.pending_events():
                select.select([self.disp.fileno()], [], [], 0.1)
                continue
            e = self.disp.next_event()
            if e.type == X.SelectionRequest:
                self.answer(e, data)
            elif e.type == X.ClientMessage and e.client_type == self.atom["XdndStatus"]:
                if not e.data[1][1] & 1:
                    self.send(target, "XdndLeave", [me])
                    return "refused"
                if not dropped:
                    self.send(target, "XdndDrop", [me, 0, X.CurrentTime])
                    dropped = True
            elif e.type == X.ClientMessage and e.client_type == self.atom["XdndFinished"]:
                return "finished"
        return "timed out"


def drop_files(window_id, x, y, paths):
    """Drops the files on the X window at the root point (x, y): "finished" when the target
    took them, "refused" or "timed out" when not."""
    disp = display.Display()
    try:
        target = disp.create_resource_object("window", int(window_id))
        return XdndSource(disp).drop(target, x, y, paths)
    finally:
        disp.close()


def main():
    if len(sys.argv) < 5:
        sys.exit(__doc__)
    outcome = drop_files(int(sys.argv[1], 0), int(sys.argv[2]), int(sys.argv[3]), sys.argv[4:])
    print("xdnd_drop:", outcome)
    sys.exit(0 if outcome == "finished" else 1)


if __name__ == "__main__":
    main()
