"""Drives a real X11 desktop as a person would, and reads it back.

Input goes in as real X events (xdotool, XTEST); what is on screen comes back
over AT-SPI and from the X11 window properties, never from inside the program.
"""

import subprocess
import time

import pyatspi
from Xlib import X, Xatom, display, error
from Xlib.protocol import event


class Failure(Exception):
    """A check that did not hold; the message says what was seen instead."""


def wait_for(condition, what, timeout=10.0):
    """Polls condition() until it returns something truthy and returns that.

    A condition that fails to reach an object counts as not yet true: objects
    come and go over AT-SPI and X11 while a window opens or closes. A Failure
    raised by the condition ends the wait at once. `what` may be a function,
    asked only on a time-out, to describe what was there instead.
    """
    deadline = time.monotonic() + timeout
    last_error = None
    while True:
        try:
            value = condition()
            if value:
                return value
        except (LookupError, RuntimeError, error.XError) as e:
            last_error = e
        if time.monotonic() > deadline:
            if callable(what):
                try:
                    what = what()
                except Exception as e:  # describing must not hide the time-out
                    what = f"? ({e})"
            detail = f" ({last_error})" if last_error else ""
            raise Failure(f"timed out after {timeout:g} s waiting for {what}{detail}")
        time.sleep(0.05)


# --- keyboard and mouse ------------------------------------------------------

def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True, timeout=20)


def type_text(text):
    # "--" so that a text starting with a minus is typed, not taken as an option.
    xdotool("type", "--delay", "20", "--", text)


def key(*names):
    xdotool("key", "--delay", "20", *names)


def click_at(window, x, y):
    """Clicks at (x, y) pixels inside the client area of an X window."""
    xdotool("mousemove", "--window", window, round(x), round(y), "click", "1")


# --- X11 windows ---------------------------------------------------------------

class X11:
    def __init__(self):
        self.display = display.Display()
        self.root = self.display.screen().root
        self._atoms = {}

    def atom(self, name):
        if name not in self._atoms:
            self._atoms[name] = self.display.intern_atom(name)
        return self._atoms[name]

    def window(self, wid):
        return self.display.create_resource_object("window", wid)

    def _property(self, wid, name, kind):
        value = self.window(wid).get_full_property(self.atom(name), kind)
        return value.value if value else None

    def clients(self, pid=None):
        """Managed top-level windows, oldest first, optionally of one process."""
        ids = self._property(self.root.id, "_NET_CLIENT_LIST", Xatom.WINDOW) or []
        found = []
        for wid in ids:
            try:
                if pid is None or self.pid(wid) == pid:
                    found.append(int(wid))
            except error.BadWindow:
                pass  # closed while we looked
        return found

    def pid(self, wid):
        value = self._property(wid, "_NET_WM_PID", Xatom.CARDINAL)
        return int(value[0]) if value is not None and len(value) else None

    def title(self, wid):
        """The title the window manager shows, as the program set it."""
        value = self._property(wid, "_NET_WM_NAME", self.atom("UTF8_STRING"))
        if value is None:
            value = self._property(wid, "WM_NAME", Xatom.STRING)
        if value is None:
            return None
        return value.decode("utf-8") if isinstance(value, bytes) else str(value)

    def active(self):
        value = self._property(self.root.id, "_NET_ACTIVE_WINDOW", Xatom.WINDOW)
        return int(value[0]) if value is not None and len(value) else None

    def size(self, wid):
        geometry = self.window(wid).get_geometry()
        return geometry.width, geometry.height

    def frame(self, wid):
        """The window manager's frame around a client window (title bar included)."""
        window = self.window(wid)
        while True:
            parent = window.query_tree().parent
            if parent.id == self.root.id:
                return window.id
            window = parent

    def delete(self, wid):
        """Asks a window to close, as the window manager's close button does."""
        message = event.ClientMessage(
            window=self.window(wid), client_type=self.atom("WM_PROTOCOLS"),
            data=(32, [self.atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0]))
        self.window(wid).send_event(message, event_mask=X.NoEventMask)
        self.display.flush()


# --- AT-SPI --------------------------------------------------------------------

def application(pid):
    """The program's accessible application; raises LookupError until it is on the bus."""
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            return app
    raise LookupError(f"no accessible application for process {pid}")


def descendants(root):
    for child in root:
        if child is None:
            continue
        yield child
        yield from descendants(child)


def has_state(obj, state):
    return obj.getState().contains(state)


def text(obj):
    return obj.queryText().getText(0, -1)


def extents(obj):
    """(x, y, width, height) on the desktop, in device-independent pixels."""
    box = obj.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


def describe(obj):
    try:
        return f"{obj.getRoleName()} {obj.name!r}"
    except RuntimeError:
        return "(gone)"
