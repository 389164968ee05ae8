// What a person does in Brevorn.exe, and what must follow: one row a case.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <oleacc.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tests/win32/brevorn.h"
#include "tests/win32/icons.h"
#include "tests/win32/input.h"
#include "tests/win32/layout.h"

namespace win32 {

struct Case {
    std::string name;
    std::function<void(Brevorn&)> run;
    bool ends = false;  // the program is expected to exit
};

inline void paste(const std::wstring& text) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    auto* copy = static_cast<wchar_t*>(GlobalLock(memory));
    text.copy(copy, text.size());
    copy[text.size()] = L'\0';
    GlobalUnlock(memory);
    // cppcheck-suppress deallocuse ; unlocked, not freed: the clipboard takes it from here
    check(OpenClipboard(nullptr) && EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory),
          "could not fill the clipboard");
    CloseClipboard();
    press({VK_CONTROL, 'V'});
}

// Keyboard input goes to the foreground window.
inline void activate(HWND target) {
    SetForegroundWindow(target);
    check(waitFor([target] { return GetForegroundWindow() == target; }),
          "could not bring " + quoted(classOf(target)) + " to the front");
}

// The icon once the box has painted it.
inline Icon iconOf(const MessageBox& box) {
    Icon icon = Icon::none;
    waitFor([&] { return box.icon == nullptr || (icon = iconShown(box.icon)) != Icon::unknown; },
            2000);
    return icon;
}

inline void startingWindow(Brevorn& app) {
    check(textOf(app.window) == L"Quillane", "titled " + quoted(textOf(app.window)));
    const auto style = GetWindowLongPtrW(app.window, GWL_STYLE);
    check((style & WS_CAPTION) == WS_CAPTION && (style & WS_SYSMENU),
          "no caption or no system menu");
    check(!(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME)),
          "a minimise box, maximise box or sizing border");
    check(waitFor([&] { return app.focus() == app.control(Id::txtHeight); }),
          "the focus starts in " + quoted(app.focusName()));
}

// Where a box or button overlaps a label, the box or button is hit.
inline void inFront(Brevorn& app) {
    int overlaps = 0;
    for (const form::Control& label : form::kControls) {
        for (const form::Control& front : form::kControls) {
            RECT a = scaled(label.area, 96), b = scaled(front.area, 96), both{};
            if (form::takesFocus(label) || !form::takesFocus(front) ||
                !IntersectRect(&both, &a, &b)) {
                continue;
            }
            ++overlaps;
            const POINT point{(both.left + both.right) / 2, (both.top + both.bottom) / 2};
            HWND hit = ChildWindowFromPointEx(app.window, point, CWP_SKIPINVISIBLE);
            check(hit == app.control(front.id),
                  std::string(label.name) + " is in front of " + std::string(front.name));
        }
    }
    check(overlaps >= 3, "the table has only " + std::to_string(overlaps) + " overlaps");
}

inline void tabOrder(Brevorn& app) {
    click(app.control(Id::txtHeight));
    check(waitFor([&] { return app.focus() == app.control(Id::txtHeight); }),
          "a click does not put the focus in txtHeight");
    std::vector<form::Control> order;
    for (const form::Control& c : form::kTabOrder) {
        if (form::takesFocus(c)) {
            order.push_back(c);
        }
    }
    for (std::size_t step = 1; step <= order.size(); ++step) {
        const form::Control& next = order[step % order.size()];
        press({VK_TAB});
        check(waitFor([&] { return app.focus() == app.control(next.id); }),
              "Tab number " + std::to_string(step) + " went to " + quoted(app.focusName()) +
                  ", not " + next.name.data());
    }
}

// What a screen reader calls each box or button: a box's name from the
// table, a button's caption.
inline std::wstring spokenName(const form::Control& c) {
    for (const form::BoxName& name : form::kBoxNames) {
        if (name.box == c.id) {
            return wide(name.name());
        }
    }
    return wide(c.caption);
}

inline std::string hex(HRESULT result) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lx", static_cast<unsigned long>(result));
    return text;
}

// Read as a screen reader reads it, from this process, through oleacc.
inline void accessibleName(const Brevorn& app, const form::Control& c) {
    IAccessible* accessible = nullptr;
    HRESULT result =
        AccessibleObjectFromWindow(app.control(c.id), OBJID_CLIENT, __uuidof(IAccessible),
                                   reinterpret_cast<void**>(&accessible));
    check(SUCCEEDED(result) && accessible != nullptr, "no accessible object (" + hex(result) + ")");
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    result = accessible->get_accName(self, &name);
    accessible->Release();
    const std::wstring read = name == nullptr ? L"" : std::wstring(name, SysStringLen(name));
    SysFreeString(name);
    check(result == S_OK && read == spokenName(c),
          "read as " + quoted(read) + " (" + hex(result) + "), expected " + quoted(spokenName(c)));
}

inline std::vector<Case> accessibleNames() {
    std::vector<Case> cases;
    for (const form::Control& c : form::kTabOrder) {
        if (form::takesFocus(c)) {
            cases.push_back({std::string(c.name) + " has its name for screen readers",
                             [c](const Brevorn& app) { accessibleName(app, c); }});
        }
    }
    return cases;
}

// Enter and Escape run nothing: once a key typed after them has arrived, they
// have done all they were going to do.
inline void keyRunsNothing(Brevorn& app, Id box, WORD key) {
    app.setText(Id::txtHeight, L"100");
    app.setText(Id::txtWidth, L"1100");
    click(app.control(box));
    press({VK_END});
    press({key});
    type(L"7");
    const std::wstring typed = box == Id::txtHeight ? L"1007" : L"11007";
    check(waitFor([&] { return app.text(box) == typed || !app.boxes().empty(); }),
          "the box reads " + quoted(app.text(box)) + " after the key and a 7");
    for (const MessageBox& shown : app.boxes()) {
        throw Failure{"a box titled " + quoted(shown.title) + " opened"};
    }
    check(app.text(Id::txtOutput).empty(),
          "the answer box reads " + quoted(app.text(Id::txtOutput)));
}

// What a click on Calculate brings: an answer in the box, or one message box.
struct Outcome {
    std::wstring title;  // empty: no box, the answer box reads `text`
    std::wstring text;
    Icon icon = Icon::none;
    Id focus = Id::cmdGo;  // where the focus is once the box is dismissed
};

inline Outcome answer(std::wstring text) {
    return {{}, std::move(text)};
}

inline const Outcome kAskHeight{L"Height?", L"You need to specify a HEIGHT.", Icon::information,
                                Id::txtHeight};
inline const Outcome kAskWidth{L"Width?", L"You need to specify a WIDTH.", Icon::information,
                               Id::txtWidth};
inline const Outcome kNumbersOnly{L"Numbers Only", L"You need to input ONLY numbers.",
                                  Icon::exclamation};
inline const Outcome kDivisionByZero{L"Brevorn", L"11 Division by zero in cmdGo_Click"};
inline const Outcome kOverflow{L"Brevorn", L"6 Overflow in cmdGo_Click"};

struct Calculation {
    std::string name;
    std::wstring height, width;
    std::optional<Id> pasted;  // this box's text comes from the clipboard
    Outcome outcome;
};

inline constexpr std::nullopt_t kTyped = std::nullopt;
inline const std::wstring kMegabyte(1 << 20, L'9');
// Clipboard text ends at its first NUL, so "100<NUL>9" pastes as "100".
inline const std::wstring kNulThenDigit = std::wstring(L"00") + L'\0' + L"9";

inline const std::vector<Calculation> kCalculations = {
    {"480 and 640 give H=240, W=320", L"480", L"640", kTyped, answer(L"H=240, W=320")},
    {"both empty ask for the height", L"", L"", kTyped, kAskHeight},
    {"a height alone asks for the width", L"480", L"", kTyped, kAskWidth},
    {"letters are refused", L"abc", L"640", kTyped, kNumbersOnly},
    {"a zero width is a division by zero", L"480", L"0", kTyped, kDivisionByZero},
    {"a pasted megabyte of digits overflows (height)", kMegabyte, L"640", Id::txtHeight, kOverflow},
    {"a pasted megabyte of digits overflows (width)", L"480", kMegabyte, Id::txtWidth, kOverflow},
    {"pasted Arabic-Indic digits are not numbers", L"\u0664\u0668\u0660", L"640", Id::txtHeight,
     kNumbersOnly},
    {"a pasted emoji is not a number", L"480", L"48\U0001F3AC", Id::txtWidth, kNumbersOnly},
    {"a pasted lone surrogate is not a number", L"480", std::wstring{L'4', L'8', wchar_t{0xD83C}},
     Id::txtWidth, kNumbersOnly},
    {"a paste stops at a NUL (height)", L"1" + kNulThenDigit, L"800", Id::txtHeight,
     answer(L"H=44, W=352")},
    {"a paste stops at a NUL (width)", L"100", L"8" + kNulThenDigit, Id::txtWidth,
     answer(L"H=44, W=352")},
};

inline void calculate(Brevorn& app, const Calculation& row) {
    for (const Id box : {Id::txtHeight, Id::txtWidth}) {
        const std::wstring& text = box == Id::txtHeight ? row.height : row.width;
        click(app.control(box));
        check(waitFor([&] { return app.focus() == app.control(box); }),
              "a click does not put the focus in the box");
        if (row.pasted == box) {
            paste(text);
        } else {
            type(text);
        }
        check(waitFor([&] { return !app.text(box).empty() || text.empty(); }),
              "the text did not arrive");
    }
    click(app.control(Id::cmdGo));
    const Outcome& want = row.outcome;
    if (want.title.empty()) {
        check(waitFor([&] { return app.text(Id::txtOutput) == want.text || !app.boxes().empty(); }),
              "the answer box reads " + quoted(app.text(Id::txtOutput)));
        for (const MessageBox& shown : app.boxes()) {
            throw Failure{"a box opened: " + quoted(shown.prompt)};
        }
        return;
    }
    const MessageBox box = app.waitForBox();
    const Icon icon = iconOf(box);
    check(box.title == want.title && box.prompt == want.text && icon == want.icon,
          "box " + quoted(box.title) + " says " + quoted(box.prompt) + " with " + show(icon));
    activate(box.handle);
    press({VK_RETURN});
    check(waitFor([&] { return app.boxes().empty(); }), "Enter did not close the box");
    check(waitFor([&] { return app.focus() == app.control(want.focus); }),
          "the focus went to " + quoted(app.focusName()));
    check(app.text(Id::txtOutput).empty(), "the answer became " + quoted(app.text(Id::txtOutput)));
}

inline void info(Brevorn& app) {
    click(app.control(Id::cmdInfo));
    const MessageBox first = app.waitForBox();
    const std::wstring ending = L"\rHo = (352/Wi)Hi  and Wo = (240/Hi)Wi";
    check(first.title == L"Information" && iconOf(first) == Icon::information &&
              first.prompt.starts_with(L"This calculator is for") && first.prompt.ends_with(ending),
          "first box " + quoted(first.title) + " says " + quoted(first.prompt));
    activate(first.handle);
    press({VK_RETURN});
    MessageBox second;
    check(waitFor([&] {
              const auto shown = app.boxes();
              return shown.size() == 1 && (second = shown[0]).handle != first.handle;
          }),
          "no second box after the first");
    check(second.title == L"Information" && iconOf(second) == Icon::information &&
              second.prompt.starts_with(L"If you find this useful, feel free to write me: "),
          "second box " + quoted(second.title) + " says " + quoted(second.prompt));
    click(second.ok);
    check(waitFor([&] { return app.boxes().empty(); }), "a click on OK did not close the box");
}

inline void widestAnswerFits(Brevorn& app) {
    app.setText(Id::txtHeight, L"480");
    app.setText(Id::txtWidth, L"704");
    click(app.control(Id::cmdGo));
    const std::wstring widest = wide(form::kWidestAnswer);
    check(waitFor([&] { return app.text(Id::txtOutput) == widest; }),
          "the answer box reads " + quoted(app.text(Id::txtOutput)));
    std::printf("      %s\n", showsWhole(app, widest).c_str());
}

// What a person sees of the boxes: their texts, the focus, and the caret and
// selection in the focused box.
struct Seen {
    std::wstring texts[3];
    HWND focus;
    DWORD selection;
    HWND caretIn;
    RECT caret;
};

inline Seen seenIn(const Brevorn& app) {
    const GUITHREADINFO thread = app.thread();
    return {{app.text(Id::txtHeight), app.text(Id::txtWidth), app.text(Id::txtOutput)},
            thread.hwndFocus,
            static_cast<DWORD>(SendMessageW(thread.hwndFocus, EM_GETSEL, 0, 0)),
            thread.hwndCaret,
            thread.rcCaret};
}

inline void sameBoxes(const Brevorn& app, const Seen& before, const Seen& now) {
    constexpr Id boxes[] = {Id::txtHeight, Id::txtWidth, Id::txtOutput};
    for (std::size_t box = 0; box < std::size(boxes); ++box) {
        check(now.texts[box] == before.texts[box], std::string(form::control(boxes[box]).name) +
                                                       " reads " + quoted(now.texts[box]) +
                                                       ", not " + quoted(before.texts[box]));
    }
    check(now.focus == before.focus, "the focus went to " + quoted(app.focusName()));
    check(now.selection == before.selection && now.caretIn == before.caretIn,
          "the selection is " + std::to_string(LOWORD(now.selection)) + ".." +
              std::to_string(HIWORD(now.selection)) + ", was " +
              std::to_string(LOWORD(before.selection)) + ".." +
              std::to_string(HIWORD(before.selection)));
}

inline const std::wstring kAnswered = L"H=240, W=320";

// Text in every box and a selection in the width box, as a change of the
// desktop may find them.
inline Seen textInEveryBox(Brevorn& app) {
    app.setText(Id::txtHeight, L"480");
    app.setText(Id::txtWidth, L"640");
    click(app.control(Id::cmdGo));
    check(waitFor([&] { return app.text(Id::txtOutput) == kAnswered; }),
          "the answer box reads " + quoted(app.text(Id::txtOutput)));
    app.setText(Id::txtWidth, L"");
    click(app.control(Id::txtWidth));
    type(L"72");
    press({VK_SHIFT, VK_LEFT});
    HWND width = app.control(Id::txtWidth);
    check(waitFor([&] { return SendMessageW(width, EM_GETSEL, 0, 0) == MAKELONG(1, 2); }),
          "the width box reads " + quoted(app.text(Id::txtWidth)) + " with no selection");
    return seenIn(app);
}

// Dragged to a monitor of `other` dpi and back, with text in every box and a
// selection in the width box: the window shows what it showed, laid out as a
// fresh start at each dpi.
inline void dpiChangesAndBack(Brevorn& app, int dpi, int other) {
    const std::wstring& answered = kAnswered;
    const Seen before = textInEveryBox(app);
    const Span shown = spanOf(app.control(Id::txtOutput), answered);
    RECT frame{};
    GetWindowRect(app.window, &frame);
    const auto grown = [&](LONG centre, LONG size) {
        return centre - MulDiv(size, other, dpi) / 2;
    };
    const LONG left = grown((frame.left + frame.right) / 2, frame.right - frame.left);
    const LONG top = grown((frame.top + frame.bottom) / 2, frame.bottom - frame.top);
    const RECT suggested{left, top, left + MulDiv(frame.right - frame.left, other, dpi),
                         top + MulDiv(frame.bottom - frame.top, other, dpi)};

    app.changeDpi(other, suggested);
    RECT now{};
    GetWindowRect(app.window, &now);
    check(EqualRect(&now, &suggested), "at " + std::to_string(other) + " dpi the frame is " +
                                           show(now) + ", suggested " + show(suggested));
    controlsAt(app, other);
    sameBoxes(app, before, seenIn(app));
    showsWhole(app, answered);

    app.changeDpi(dpi, frame);
    GetWindowRect(app.window, &now);
    check(EqualRect(&now, &frame), "back, the frame is " + show(now) + ", was " + show(frame));
    layout(app, dpi);
    const Seen after = seenIn(app);
    sameBoxes(app, before, after);
    check(EqualRect(&after.caret, &before.caret),
          "back, the caret is at " + show(after.caret) + ", was " + show(before.caret));
    const Span again = spanOf(app.control(Id::txtOutput), answered);
    check(again.left == shown.left && again.right == shown.right,
          "back, the answer spans x " + std::to_string(again.left) + ".." +
              std::to_string(again.right) + ", was " + std::to_string(shown.left) + ".." +
              std::to_string(shown.right));
    widestAnswerFits(app);
}

// Windows' message font, as its text size sets it while programs run, and set
// back however the case ends: the prefix outlives the case.
class MessageFont {
public:
    explicit MessageFont(const Brevorn& app) : app_(app) {
        metrics_.cbSize = sizeof metrics_;
        check(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics_, &metrics_, 0),
              "no message font");
    }
    ~MessageFont() { set(metrics_); }
    MessageFont(const MessageFont&) = delete;
    MessageFont& operator=(const MessageFont&) = delete;

    void scale(int numerator, int denominator) const {
        NONCLIENTMETRICSW larger = metrics_;
        LONG& height = larger.lfMessageFont.lfHeight;
        height = MulDiv(height, numerator, denominator);
        check(set(larger), "the message font was not set");
    }
    void restore() const { check(set(metrics_), "the message font was not set back"); }

private:
    // Not saved, so that a session that ends mid-case forgets it; and Wine
    // broadcasts only a saved change, so the broadcast is made here.
    bool set(NONCLIENTMETRICSW metrics) const {
        DWORD_PTR result = 0;
        return SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) &&
               (!app_.running() || app_.setMetricsInside(metrics)) &&
               SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS,
                                   reinterpret_cast<LPARAM>(L"WindowMetrics"), SMTO_ABORTIFHUNG,
                                   5000, &result);
    }
    const Brevorn& app_;
    NONCLIENTMETRICSW metrics_{};
};

// How the boxes' font lays out a typed height, and the answer's fitted font
// the widest answer, which shows whole: alike in two windows whose fonts are.
inline std::string fontsIn(const Brevorn& app) {
    const std::wstring widest = wide(form::kWidestAnswer);
    app.setText(Id::txtHeight, L"480");
    app.setText(Id::txtOutput, widest);
    const Span typed = spanOf(app.control(Id::txtHeight), L"480");
    return "\"480\" spans x " + std::to_string(typed.left) + ".." + std::to_string(typed.right) +
           ", " + showsWhole(app, widest);
}

// Windows' text made half as large again while the window shows text in every
// box, then set back: each time, the window keeps what it showed and lays it
// out as a fresh start with that text size would.
inline void textSizeChangesAndBack(Brevorn& app, int dpi) {
    const std::string original = fontsIn(app);
    const Seen before = textInEveryBox(app);
    MessageFont font(app);
    font.scale(3, 2);
    sameBoxes(app, before, seenIn(app));
    controlsAt(app, dpi);
    const std::string grown = fontsIn(app);
    const std::string fresh = fontsIn(Brevorn(app.exe));
    check(grown != original && grown == fresh, "at the larger size " + grown + "; at the first " +
                                                   original + "; a fresh start " + fresh);
    font.restore();
    const std::string back = fontsIn(app);
    check(back == original, "set back, " + back + "; at first " + original);
    std::printf("      %s\n      larger: %s\n", original.c_str(), grown.c_str());
}

inline void closes(Brevorn& app, const std::function<void()>& close) {
    close();
    check(waitFor([&] { return !app.running(); }), "the program is still running");
    check(app.exitStatus() == 0, "exit status " + std::to_string(app.exitStatus()));
}

inline std::vector<Case> casesAt96() {
    std::vector<Case> cases = {
        {"the window at start", startingWindow},
        {"the layout at 96 dpi", [](Brevorn& app) { layout(app, 96); }},
        {"the boxes are in the message font at 96 dpi",
         [](const Brevorn& app) { messageFontIn(app, 96); }},
        {"boxes and buttons are in front of the labels they overlap", inFront},
        {"Tab goes round in the table's order", tabOrder},
    };
    for (Case& named : accessibleNames()) {
        cases.push_back(std::move(named));
    }
    for (const Id box : {Id::txtHeight, Id::txtWidth}) {
        for (const WORD key : {VK_RETURN, VK_ESCAPE}) {
            cases.push_back({std::string(key == VK_RETURN ? "Enter" : "Escape") + " in " +
                                 form::control(box).name.data() + " runs nothing",
                             [box, key](Brevorn& app) { keyRunsNothing(app, box, key); }});
        }
    }
    for (const Calculation& row : kCalculations) {
        cases.push_back({row.name, [&row](Brevorn& app) { calculate(app, row); }});
    }
    cases.push_back({"Info shows its two boxes one after the other", info});
    cases.push_back({"the widest answer fits at 96 dpi", widestAnswerFits});
    cases.push_back({"to 144 dpi and back keeps every box, the focus and the caret",
                     [](Brevorn& app) { dpiChangesAndBack(app, 96, 144); }});
    cases.push_back({"a larger text size and back keeps every box and refits the answer",
                     [](Brevorn& app) { textSizeChangesAndBack(app, 96); }});
    cases.push_back({"Alt+F4 ends the program with status 0",
                     [](Brevorn& app) {
                         closes(app, [&] {
                             activate(app.window);
                             press({VK_MENU, VK_F4});
                         });
                     },
                     true});
    return cases;
}

inline std::vector<Case> casesAt192() {
    std::vector<Case> cases = {
        {"the layout at 192 dpi", [](Brevorn& app) { layout(app, 192); }},
        {"the boxes are in the message font at 192 dpi",
         [](const Brevorn& app) { messageFontIn(app, 192); }},
        {"the widest answer fits at 192 dpi", widestAnswerFits},
        {"to 96 dpi and back keeps every box, the focus and the caret",
         [](Brevorn& app) { dpiChangesAndBack(app, 192, 96); }},
        {"a larger text size and back keeps every box and refits the answer",
         [](Brevorn& app) { textSizeChangesAndBack(app, 192); }},
    };
    for (Case& named : accessibleNames()) {
        cases.push_back(std::move(named));
    }
    cases.push_back({"the system menu's Close ends the program with status 0",
                     [](Brevorn& app) {
                         closes(app, [&] { PostMessageW(app.window, WM_SYSCOMMAND, SC_CLOSE, 0); });
                     },
                     true});
    return cases;
}

inline std::vector<Case> quickCases() {
    const std::vector<std::string> names = {"the window at start", kCalculations.front().name,
                                            "Info shows its two boxes one after the other",
                                            "Alt+F4 ends the program with status 0"};
    std::vector<Case> cases;
    for (Case& test : casesAt96()) {
        if (std::find(names.begin(), names.end(), test.name) != names.end()) {
            cases.push_back(std::move(test));
        }
    }
    return cases;
}

}  // namespace win32
