#!/usr/bin/python3
"""End-to-end test of the Brevorn program on a real X display.

Run inside headless-desktop (or any desktop with openbox and the AT-SPI bus):
    test_quillane.py PATH/TO/brevorn [CASE-NAME-SUBSTRING]
Prints one line per case, then "N passed, N failed"; exits 1 on any failure.
"""

import sys
import time
import traceback
from dataclasses import dataclass

import pyatspi

import desktop
from desktop import Failure, wait_for
from quillane import MAIN_TITLE, Quillane


def expect(condition, message):
    if not condition:
        raise Failure(message)


def calculate(app, height, width, answer):
    app.fill("Height", height)
    app.fill("Width", width)
    app.press("Calculate")
    wait_for(lambda: app.read("Answer") == answer or app.message_windows(),
             f"the answer {answer!r}")
    for window in app.message_windows():
        raise Failure(f"a box titled {app.x11.title(window)!r} opened instead of the answer")


# --- cases ---------------------------------------------------------------------

@dataclass
class Case:
    name: str
    run: object
    fresh: bool = False  # needs a program that has just started


CASES = []


def case(name, fresh=False):
    def register(run):
        CASES.append(Case(name, run, fresh))
        return run
    return register


@case("typing right after start goes into Height", fresh=True)
def typing_at_start(app):
    desktop.type_text("123")
    wait_for(lambda: app.read("Height") == "123",
             lambda: f"'123' in Height (Height {app.read('Height')!r}, "
                     f"Width {app.read('Width')!r}, Answer {app.read('Answer')!r})")
    expect(app.read("Width") == "" and app.read("Answer") == "", "text went into another box too")


@case(f"the window is titled exactly {MAIN_TITLE!r}")
def main_title(app):
    title = app.x11.title(app.window)
    expect(title == MAIN_TITLE, f"X11 title is {title!r}")
    expect(app.frame.name == MAIN_TITLE, f"accessible name is {app.frame.name!r}")


TAB_ORDER = [("text", "Width"), ("push button", "Calculate"), ("text", "Answer"),
             ("push button", "Info"), ("text", "Height")]


@case("Tab visits Height, Width, Calculate, Answer, Info and back to Height")
def tab_order(app):
    app.click(app.box("Height"))
    wait_for(lambda: app.focused() == ("text", "Height"), "the focus in Height")
    seen = []
    for expected in TAB_ORDER:
        desktop.key("Tab")
        try:
            wait_for(lambda: app.focused() == expected, expected[1])
        except Failure:
            raise Failure(f"after Height, Tab went to {seen + [app.focused()]}") from None
        seen.append(expected)


# Each row's inputs give an answer that appears nowhere else, so a stray
# calculation shows, whatever ran before.
KEYS_THAT_RUN_NOTHING = [
    ("Height", "Return", "100", "800", "H=44, W=352"),
    ("Width", "Return", "100", "1100", "H=32, W=352"),
    ("Height", "Escape", "100", "880", "H=40, W=352"),
    ("Width", "Escape", "100", "1600", "H=22, W=352"),
]

for box, key_name, height, width, answer in KEYS_THAT_RUN_NOTHING:
    @case(f"{key_name} in {box} runs nothing")
    def key_runs_nothing(app, box=box, key_name=key_name, height=height, width=width,
                         answer=answer):
        app.fill("Height", height)
        app.fill("Width", width)
        before = app.read("Answer")
        expect(before != answer, "the answer box already holds the answer")
        value = app.read(box)
        app.click(app.box(box))
        desktop.key("End", key_name)
        # Keys are handled in order: once the next one has arrived, the first
        # has done all it was going to do.
        desktop.type_text("7")
        try:
            wait_for(lambda: app.read(box) == value + "7", f"{box} to take a key after {key_name}")
        except Failure:
            if not app.running():
                raise Failure(f"{key_name} ended the program (status {app.process.returncode})")
            if app.message_windows():
                raise Failure(f"{key_name} opened a box titled "
                              f"{app.x11.title(app.message_windows()[0])!r}")
            raise
        desktop.key("BackSpace")
        wait_for(lambda: app.read(box) == value, f"{box} to read {value!r} again")
        expect(app.window in app.x11.clients(), f"{key_name} closed the window")
        expect(app.read("Answer") == before,
               f"{key_name} changed the answer from {before!r} to {app.read('Answer')!r}")


CALCULATIONS = [
    ("480", "640", "H=240, W=320"),
    ("240", "352", "H=240, W=352"),  # the widest answer there is
]

for height, width, answer in CALCULATIONS:
    @case(f"{height} and {width}, Calculate shows {answer}, all of it")
    def calculation(app, height=height, width=width, answer=answer):
        calculate(app, height, width, answer)
        box = app.box("Answer")
        left, _, box_width, _ = desktop.extents(box)
        text = box.queryText()
        first = text.getCharacterExtents(0, pyatspi.DESKTOP_COORDS)
        last = text.getCharacterExtents(len(answer) - 1, pyatspi.DESKTOP_COORDS)
        # Character positions ignore scrolling: a text wider than the box
        # reports an end beyond the box's right edge.
        expect(left <= first[0] and last[0] + last[2] <= left + box_width,
               f"the answer spans x {first[0]}..{last[0] + last[2]}, "
               f"the box {left}..{left + box_width}")


@dataclass
class Box:
    title: str
    text: str   # None: any text
    icon: bool
    prefix: bool = False  # the text only starts so

    def says(self, texts):
        if self.text is None:
            return True
        if self.prefix:
            return len(texts) == 1 and texts[0].startswith(self.text)
        return texts == [self.text]


@dataclass
class Boxes:
    """Clicking `button` with these inputs shows `boxes`, one after another."""
    name: str
    height: str  # None: left as it is
    width: str
    boxes: list
    focus: str = None  # the box that has the focus once they are dismissed
    button: str = "Calculate"


PREVIOUS = ("480", "640", "H=240, W=320")

INFO_EXPLANATION = (
    "This calculator is for the calculation of dimensions when encoding VCD format video with "
    "an encoder that does not letterbox video for you while keeping the aspect ratio. The "
    "output will tell you what you need to set the letterbox size as when telling the program "
    "NOT to keep the aspect ratio.  The simple formulas behind this are: ")
INFO_FORMULAS = "Ho = (352/Wi)Hi  and Wo = (240/Hi)Wi"

MESSAGES = [
    Boxes("an empty height asks for it", "", "640",
          [Box("Height?", "You need to specify a HEIGHT.", icon=True)], focus="Height"),
    Boxes("an empty width asks for it", "480", "",
          [Box("Width?", "You need to specify a WIDTH.", icon=True)], focus="Width"),
    Boxes("letters are refused", "abc", "640",
          [Box("Numbers Only", "You need to input ONLY numbers.", icon=True)]),
    Boxes("a zero width is reported as a division by zero", "480", "0",
          [Box("Brevorn", "11 Division by zero in cmdGo_Click", icon=False)]),
    Boxes("Info explains, then gives a contact", None, None,
          [Box("Information", INFO_EXPLANATION + "\r" + INFO_FORMULAS, icon=True),
           Box("Information", "If you find this useful, feel free to write me: ", icon=True,
               prefix=True)],
          button="Info"),
]

for row in MESSAGES:
    @case(row.name)
    def message_case(app, row=row):
        if app.read("Answer") != PREVIOUS[2]:
            calculate(app, *PREVIOUS)
        if row.height is not None:
            app.fill("Height", row.height)
        if row.width is not None:
            app.fill("Width", row.width)
        app.press(row.button)
        for expected in row.boxes:
            box = app.wait_message()
            # The window manager's title, exactly: no application name appended.
            expect(box.title == expected.title,
                   f"box titled {box.title!r}, expected {expected.title!r}")
            expect(box.alert.name == expected.title,
                   f"box's accessible name is {box.alert.name!r}")
            expect(expected.says(box.texts),
                   f"box {box.title!r} says {box.texts}, expected {expected.text!r}")
            # One at a time: the next box waits until this one is dismissed.
            expect(len(app.message_windows()) == 1,
                   f"{len(app.message_windows())} boxes open at once")
            expect(box.has_icon == expected.icon,
                   f"box {box.title!r} has {'an' if box.has_icon else 'no'} icon")
            desktop.key("Return")
            app.wait_message_closed(box)
        expect(not app.message_windows(), "another box opened: "
               + ", ".join(repr(app.x11.title(w)) for w in app.message_windows()))
        if row.focus:
            wait_for(lambda: app.focused() == ("text", row.focus),
                     lambda: f"the focus back in {row.focus} (it is on {app.focused()})")
        expect(app.read("Answer") == PREVIOUS[2],
               f"the previous answer became {app.read('Answer')!r}")


def close_by_window_manager(app):
    app.x11.delete(app.window)


def close_by_keyboard(app):
    desktop.key("alt+F4")


for how, close in [("the close button's message", close_by_window_manager),
                   ("Alt+F4", close_by_keyboard)]:
    @case(f"closing with {how} ends the program with status 0", fresh=True)
    def closing(app, close=close):
        close(app)
        status = app.wait_exit()
        expect(status == 0, f"exit status {status}")


# --- runner ----------------------------------------------------------------------

def start(binary, x11):
    app = Quillane(binary, x11)
    try:
        return app.start()
    except Failure as e:
        output = app.output()
        app.stop()
        raise Failure(f"could not start the program: {e}" +
                      (f"\n      it printed:\n{output}" if output.strip() else "")) from None


def finish(app):
    """Stops the program, passing on anything it printed (it prints only on trouble)."""
    output = app.output()
    app.stop()
    if output.strip():
        print(f"      the program printed:\n{output}", flush=True)


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    binary = sys.argv[1]
    chosen = [c for c in CASES if len(sys.argv) < 3 or sys.argv[2] in c.name]
    x11 = desktop.X11()
    app = None
    passed = failed = 0
    started = time.monotonic()
    for test in chosen:
        begun = time.monotonic()
        try:
            if app is not None and (test.fresh or not app.running()):
                app.stop()
                app = None
            if app is None:
                app = start(binary, x11)
            else:
                app.reset()
            test.run(app)
        except Failure as e:
            failed += 1
            print(f"FAIL  {test.name}: {e}", flush=True)
        except Exception:  # a fault in the harness or an unexpected reply
            failed += 1
            print(f"FAIL  {test.name}: error\n{traceback.format_exc()}", flush=True)
        else:
            passed += 1
            print(f"ok    {test.name} ({time.monotonic() - begun:.1f} s)", flush=True)
        if app is not None and not app.running():
            finish(app)
            app = None
    if app is not None:
        finish(app)
    print(f"took {time.monotonic() - started:.1f} s")
    print(f"{passed} passed, {failed} failed")
    return 1 if failed or not chosen else 0


if __name__ == "__main__":
    sys.exit(main())
