"""The Quillane window of a running Brevorn, seen and handled from outside."""

import os
import subprocess
import tempfile
from dataclasses import dataclass

import pyatspi

import desktop
from desktop import Failure, wait_for

MAIN_TITLE = "Quillane"


@dataclass
class MessageBox:
    window: int      # X11 client window
    title: str       # as the window manager shows it
    alert: object    # accessible
    texts: list      # names of its labels: the message itself
    has_icon: bool


class Quillane:
    def __init__(self, binary, x11, env=None):
        self.binary = binary
        self.x11 = x11
        self.extra_env = env or {}
        self.process = None
        self.window = None   # X11 client window
        self.frame = None    # its accessible
        self.app = None
        self.scale = 1.0     # X pixels per accessible (device-independent) pixel
        self._log = None

    # --- life cycle ------------------------------------------------------------

    def start(self):
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        env.pop("QT_SCALE_FACTOR", None)
        env.update(self.extra_env)
        self._log = tempfile.TemporaryFile(mode="w+")
        self.process = subprocess.Popen([self.binary], env=env, stdin=subprocess.DEVNULL,
                                        stdout=self._log, stderr=self._log)
        pid = self.process.pid

        def main_window():
            self._check_running()
            windows = self.x11.clients(pid)
            return windows[0] if windows else None
        self.window = wait_for(main_window, "the program's window", timeout=15)
        wait_for(lambda: self.x11.active() == self.window, "its window to become active")
        self.app = wait_for(lambda: desktop.application(pid), "the program on the accessibility bus")
        self.frame = wait_for(self._accessible_window, "its window on the accessibility bus")
        width, _ = self.x11.size(self.window)
        self.scale = width / desktop.extents(self.frame)[2]
        return self

    def _accessible_window(self):
        for child in self.app:
            if child is not None and child.getRole() not in (pyatspi.ROLE_ALERT, pyatspi.ROLE_DIALOG):
                return child
        return None

    def running(self):
        return self.process is not None and self.process.poll() is None

    def _check_running(self):
        if self.process.poll() is not None:
            raise Failure(f"the program exited with status {self.process.returncode}")

    def wait_exit(self, timeout=10):
        wait_for(lambda: self.process.poll() is not None, "the program to exit", timeout)
        return self.process.returncode

    def stop(self):
        if self.process is None:
            return
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self._log.close()
        self.process = None

    def output(self):
        """What the program printed so far (it prints only on trouble)."""
        self._log.seek(0)
        return self._log.read()

    # --- what a person sees -------------------------------------------------------

    def widget(self, role, name):
        for child in desktop.descendants(self.frame):
            if child.getRole() == role and child.name == name:
                return child
        seen = ", ".join(desktop.describe(c) for c in desktop.descendants(self.frame))
        raise Failure(f"no {role_name(role)} named {name!r} in the window; it has: {seen}")

    def box(self, name):
        return self.widget(pyatspi.ROLE_TEXT, name)

    def button(self, name):
        return self.widget(pyatspi.ROLE_PUSH_BUTTON, name)

    def read(self, name):
        return desktop.text(self.box(name))

    def focused(self):
        """(role, name) of the widget with the keyboard focus, or None.

        The role is named from its number: the name the bus gives varies, "push
        button" with at-spi2-core 2.46 and "button" with 2.56, for the same role.
        """
        for child in desktop.descendants(self.frame):
            if desktop.has_state(child, pyatspi.STATE_FOCUSED):
                return role_name(child.getRole()), child.name
        return None

    def message_windows(self):
        return [w for w in self.x11.clients(self.process.pid) if w != self.window]

    def wait_message(self, timeout=10):
        """The message box that opens next, once it has the focus."""
        def opened():
            self._check_running()
            windows = self.message_windows()
            if len(windows) == 1 and self.x11.active() == windows[0]:
                return windows[0]
            return None
        window = wait_for(opened, "a message box to open", timeout)
        # Active, not merely listed: a box just closed may linger on the bus.
        alert = wait_for(lambda: next((c for c in self.app if c is not None
                                       and c.getRole() == pyatspi.ROLE_ALERT
                                       and desktop.has_state(c, pyatspi.STATE_ACTIVE)), None),
                         "the message box on the accessibility bus")
        children = list(desktop.descendants(alert))
        texts = [c.name for c in children if c.getRole() == pyatspi.ROLE_LABEL and c.name]
        has_icon = any(c.getRole() == pyatspi.ROLE_IMAGE for c in children)
        return MessageBox(window, self.x11.title(window), alert, texts, has_icon)

    def wait_message_closed(self, box):
        wait_for(lambda: box.window not in self.x11.clients(), "the message box to close")

    # --- what a person does -----------------------------------------------------------

    def click(self, obj):
        """Clicks the middle of a widget of the window."""
        x, y, width, height = desktop.extents(obj)
        left, upper, _, _ = desktop.extents(self.frame)
        desktop.click_at(self.window, (x - left + width / 2) * self.scale,
                         (y - upper + height / 2) * self.scale)

    def press(self, button_name):
        self.click(self.button(button_name))

    def fill(self, name, value):
        """Replaces a box's text the way a person would: click, select all, type."""
        box = self.box(name)
        self.click(box)
        wait_for(lambda: desktop.has_state(box, pyatspi.STATE_FOCUSED), f"the focus in {name}")
        desktop.key("ctrl+a", "BackSpace")
        if value:
            desktop.type_text(value)
        wait_for(lambda: desktop.text(box) == value, f"{name} to read {value!r}")

    def reset(self):
        """Closes any message box left over and brings the window to the front."""
        for window in self.message_windows():
            self.x11.delete(window)
        wait_for(lambda: not self.message_windows(), "left-over message boxes to close")
        if self.x11.active() != self.window:
            desktop.xdotool("windowactivate", "--sync", self.window)
        wait_for(lambda: self.x11.active() == self.window, "the window to become active")


def role_name(role):
    """"push button" for pyatspi.ROLE_PUSH_BUTTON, and for a role read off the bus."""
    return str(pyatspi.Role(int(role))).replace("ROLE_", "").replace("_", " ").lower()
