// Uses Brevorn.exe as a person would, with real keyboard and mouse input, and
// reads back over window messages what is on the screen. Runs under Wine:
//   driver 96|192|quick PATH\TO\Brevorn.exe
// quick runs a few of the 96 dpi rows.
// Prints one line per case, then "N passed, M failed".
#include <windows.h>
// After windows.h, which it needs.
#include <oleacc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "window/form_layout.h"
#include "window/win32/controls.h"

namespace {

namespace form = brevorn::form;
using form::Id;

struct Failure {
    std::string why;
};

void check(bool ok, const std::string& why) {
    if (!ok) {
        throw Failure{why};
    }
}

// Quoted and cut short: a pasted megabyte must not flood the report.
std::string quoted(std::wstring_view text) {
    std::string out = "\"";
    for (const wchar_t c : text.substr(0, 60)) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
        out += c >= 0x20 && c < 0x7f ? std::string(1, static_cast<char>(c)) : escaped;
    }
    out += '"';
    return text.size() > 60 ? out + "... (" + std::to_string(text.size()) + " characters)" : out;
}

std::wstring wide(std::string_view ascii) {
    return {ascii.begin(), ascii.end()};
}

// Input arrives asynchronously, so effects are awaited, never assumed.
bool waitFor(const std::function<bool()>& done, int milliseconds = 5000) {
    for (int waited = 0; !done(); waited += 10) {
        if (waited >= milliseconds) {
            return false;
        }
        Sleep(10);
    }
    return true;
}

std::wstring textOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)) + 1,
                      L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

std::wstring classOf(HWND window) {
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    return name;
}

void send(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT keyInput(WORD key, wchar_t unicode, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = unicode;
    input.ki.dwFlags = (unicode != 0 ? KEYEVENTF_UNICODE : 0) | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

// Presses the keys in order and lets them go in reverse: {VK_MENU, VK_F4} is Alt+F4.
void press(std::initializer_list<WORD> chord) {
    std::vector<INPUT> inputs;
    for (const WORD key : chord) {
        inputs.push_back(keyInput(key, 0, false));
    }
    for (auto key = std::rbegin(chord); key != std::rend(chord); ++key) {
        inputs.push_back(keyInput(*key, 0, true));
    }
    send(inputs);
}

void type(std::wstring_view text) {
    std::vector<INPUT> inputs;
    for (const wchar_t c : text) {
        inputs.push_back(keyInput(0, c, false));
        inputs.push_back(keyInput(0, c, true));
    }
    send(inputs);
}

void click(HWND window) {
    RECT area{};
    GetWindowRect(window, &area);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv((area.left + area.right) / 2, 65536, GetSystemMetrics(SM_CXSCREEN)) + 16;
    input.mi.dy = MulDiv((area.top + area.bottom) / 2, 65536, GetSystemMetrics(SM_CYSCREEN)) + 16;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTDOWN;
    INPUT release = input;
    release.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTUP;
    send({input, release});
}

void paste(const std::wstring& text) {
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

RECT scaled(const form::Twips& area, int dpi) {
    const auto px = [dpi](int twips) { return MulDiv(twips, dpi, form::kTwipsPerInch); };
    return {px(area.left), px(area.top), px(area.left) + px(area.width),
            px(area.top) + px(area.height)};
}

std::string show(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

enum class Icon { none, information, exclamation, unknown };

// Which system icon `control` shows, told by its pixels on the screen: Wine
// will not describe another process's icon handle.
Icon iconShown(HWND control) {
    RECT area{};
    GetWindowRect(control, &area);
    const int width = area.right - area.left, height = area.bottom - area.top;
    HDC screen = GetDC(nullptr);
    HDC seen = CreateCompatibleDC(screen), drawn = CreateCompatibleDC(screen);
    HBITMAP seenBits = CreateCompatibleBitmap(screen, width, height);
    HBITMAP drawnBits = CreateCompatibleBitmap(screen, width, height);
    SelectObject(seen, seenBits);
    SelectObject(drawn, drawnBits);
    BitBlt(seen, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    HBRUSH background = CreateSolidBrush(GetPixel(seen, 0, 0));  // an icon's corner is clear
    Icon shown = Icon::unknown;
    for (const auto& [icon, name] : {std::pair{Icon::information, IDI_INFORMATION},
                                     std::pair{Icon::exclamation, IDI_EXCLAMATION}}) {
        const RECT all{0, 0, width, height};
        FillRect(drawn, &all, background);
        // Loaded at the control's size, not this process's icon size, which
        // follows the dpi this process started at.
        HICON system = static_cast<HICON>(LoadImageW(nullptr, name, IMAGE_ICON, width, height, 0));
        DrawIconEx(drawn, 0, 0, system, width, height, 0, nullptr, DI_NORMAL);
        DestroyIcon(system);
        int alike = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                alike += GetPixel(seen, x, y) == GetPixel(drawn, x, y);
            }
        }
        if (alike * 10 >= width * height * 9) {
            shown = icon;
        }
    }
    DeleteObject(background);
    DeleteDC(seen);
    DeleteDC(drawn);
    DeleteObject(seenBits);
    DeleteObject(drawnBits);
    ReleaseDC(nullptr, screen);
    return shown;
}

std::string show(Icon icon) {
    constexpr const char* names[] = {"no icon", "the information icon", "the exclamation icon",
                                     "an unknown icon"};
    return names[static_cast<int>(icon)];
}

// A message box as its reader sees it.
struct MessageBox {
    HWND handle;
    std::wstring title, prompt;
    HWND icon = nullptr;
    HWND ok = nullptr;
};

// Keyboard input goes to the foreground window.
void activate(HWND target) {
    SetForegroundWindow(target);
    check(waitFor([target] { return GetForegroundWindow() == target; }),
          "could not bring " + quoted(classOf(target)) + " to the front");
}

// The icon once the box has painted it.
Icon iconOf(const MessageBox& box) {
    Icon icon = Icon::none;
    waitFor([&] { return box.icon == nullptr || (icon = iconShown(box.icon)) != Icon::unknown; },
            2000);
    return icon;
}

class Brevorn {
public:
    explicit Brevorn(const std::wstring& exe) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring commandLine = L"\"" + exe + L"\"";
        check(CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &startup, &process_),
              "could not start Brevorn.exe (error " + std::to_string(GetLastError()) + ")");
        waitFor(
            [this] {
                const auto shown = windows(L"Quillane");
                window = shown.empty() ? nullptr : shown[0];
                return window != nullptr;
            },
            10000);
        check(window != nullptr, "Brevorn.exe showed no window");
    }
    ~Brevorn() {
        if (running()) {
            TerminateProcess(process_.hProcess, 99);
        }
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    Brevorn(const Brevorn&) = delete;
    Brevorn& operator=(const Brevorn&) = delete;

    bool running() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }
    DWORD exitStatus() const {
        DWORD status = 0;
        GetExitCodeProcess(process_.hProcess, &status);
        return status;
    }

    HWND control(Id id) const { return GetDlgItem(window, brevorn::controlId(id)); }
    std::wstring text(Id id) const { return textOf(control(id)); }
    void setText(Id id, const std::wstring& value) const {
        SendMessageW(control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()));
    }

    GUITHREADINFO thread() const {
        GUITHREADINFO thread{};
        thread.cbSize = sizeof thread;
        GetGUIThreadInfo(process_.dwThreadId, &thread);
        return thread;
    }
    HWND focus() const { return thread().hwndFocus; }
    std::wstring focusName() const {
        for (const form::Control& c : form::kControls) {
            if (focus() == control(c.id)) {
                return wide(c.name);
            }
        }
        return L"window " + classOf(focus());
    }

    std::vector<MessageBox> boxes() const {
        std::vector<MessageBox> found;
        for (HWND box : windows(L"#32770")) {
            MessageBox shown{box, textOf(box), {}};
            EnumChildWindows(box, readBoxPart, reinterpret_cast<LPARAM>(&shown));
            if (!IsWindow(box)) {
                continue;  // closed while being read
            }
            check(GetWindow(box, GW_OWNER) == window,
                  "box " + quoted(shown.title) + " is not owned by the window");
            found.push_back(shown);
        }
        return found;
    }
    MessageBox waitForBox() const {
        std::vector<MessageBox> shown;
        check(waitFor([&] { return !(shown = boxes()).empty(); }), "no message box appeared");
        check(shown.size() == 1, std::to_string(shown.size()) + " message boxes at once");
        return shown[0];
    }
    // What Windows sends as the window moves to a monitor of `dpi`, with the
    // frame it suggests there. The RECT lies at one address in both processes,
    // so the pointer is good whether or not the system copies what it points to.
    void changeDpi(int dpi, const RECT& suggested) const {
        // From the top of the address space, where neither process has much.
        void* here = nullptr;
        void* there = nullptr;
        std::vector<void*> taken;  // pages here whose address is in use there
        for (int attempt = 0; attempt < 64 && there == nullptr; ++attempt) {
            here = VirtualAlloc(nullptr, sizeof suggested, MEM_RESERVE | MEM_COMMIT | MEM_TOP_DOWN,
                                PAGE_READWRITE);
            if (here == nullptr) {
                break;
            }
            there = VirtualAllocEx(process_.hProcess, here, sizeof suggested,
                                   MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
            if (there == nullptr) {
                taken.push_back(std::exchange(here, nullptr));
            }
        }
        for (void* page : taken) {
            VirtualFree(page, 0, MEM_RELEASE);
        }
        check(there != nullptr, "no page at one address in both processes (error " +
                                    std::to_string(GetLastError()) + ")");
        *static_cast<RECT*>(here) = suggested;
        const bool written =
            WriteProcessMemory(process_.hProcess, there, &suggested, sizeof suggested, nullptr);
        DWORD_PTR result = 0;
        const bool sent =
            written &&
            SendMessageTimeoutW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                                reinterpret_cast<LPARAM>(here), SMTO_NORMAL, 5000, &result) != 0;
        VirtualFree(here, 0, MEM_RELEASE);
        VirtualFreeEx(process_.hProcess, there, 0, MEM_RELEASE);
        check(sent, "WM_DPICHANGED for " + std::to_string(dpi) + " dpi was not answered");
    }
    void dismissStrayBoxes() const {
        for (const MessageBox& box : boxes()) {
            PostMessageW(box.handle, WM_COMMAND, IDOK, 0);
        }
        waitFor([this] { return boxes().empty(); });
    }

    HWND window = nullptr;

private:
    // Enumeration callbacks are named functions: on x86 they must be CALLBACK
    // (__stdcall), which no lambda converts to.
    static BOOL CALLBACK readBoxPart(HWND child, LPARAM to) {
        auto& shown = *reinterpret_cast<MessageBox*>(to);
        const auto style = GetWindowLongPtrW(child, GWL_STYLE);
        if (!(style & WS_VISIBLE)) {
            return TRUE;
        }
        if (classOf(child) == L"Button") {
            shown.ok = child;
        } else if ((style & SS_TYPEMASK) == SS_ICON) {
            if (SendMessageW(child, STM_GETICON, 0, 0) != 0) {
                shown.icon = child;
            }

        } else {
            shown.prompt = textOf(child);
        }
        return TRUE;
    }

    struct WindowSearch {
        DWORD process;
        const wchar_t* className;
        std::vector<HWND> found;
    };
    static BOOL CALLBACK collectWindow(HWND window, LPARAM to) {
        auto& search = *reinterpret_cast<WindowSearch*>(to);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == search.process && IsWindowVisible(window) &&
            classOf(window) == search.className) {
            search.found.push_back(window);
        }
        return TRUE;
    }
    std::vector<HWND> windows(const wchar_t* className) const {
        WindowSearch search{process_.dwProcessId, className, {}};
        EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    PROCESS_INFORMATION process_{};
};

// --- cases ----------------------------------------------------------------------

struct Case {
    std::string name;
    std::function<void(Brevorn&)> run;
    bool ends = false;  // the program is expected to exit
};

void startingWindow(Brevorn& app) {
    check(textOf(app.window) == L"Quillane", "titled " + quoted(textOf(app.window)));
    const auto style = GetWindowLongPtrW(app.window, GWL_STYLE);
    check((style & WS_CAPTION) == WS_CAPTION && (style & WS_SYSMENU),
          "no caption or no system menu");
    check(!(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME)),
          "a minimise box, maximise box or sizing border");
    check(waitFor([&] { return app.focus() == app.control(Id::txtHeight); }),
          "the focus starts in " + quoted(app.focusName()));
}

// Whether the control's style centres its text across: each kind of control
// has a style bit of its own for it.
bool centred(HWND control, form::Kind kind) {
    const auto style = GetWindowLongPtrW(control, GWL_STYLE);
    switch (kind) {
        case form::Kind::label:
            return (style & SS_TYPEMASK) == SS_CENTER;
        case form::Kind::textBox:
            return (style & (ES_CENTER | ES_RIGHT)) == ES_CENTER;
        case form::Kind::button:
            break;
    }
    return (style & BS_CENTER) == BS_CENTER;
}

void controlsAt(const Brevorn& app, int dpi);

// Every control where the table puts it, and its text as the table aligns it,
// and the client area, at `dpi`.
void layout(Brevorn& app, int dpi) {
    RECT client{};
    GetClientRect(app.window, &client);
    const RECT expected = scaled({0, 0, form::kClientWidth, form::kClientHeight}, dpi);
    check(EqualRect(&client, &expected),
          "client area " + show(client) + ", expected " + show(expected));
    RECT frame{}, work{};
    GetWindowRect(app.window, &frame);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    check(std::abs(frame.left + frame.right - work.left - work.right) <= 1 &&
              std::abs(frame.top + frame.bottom - work.top - work.bottom) <= 1,
          "window at " + show(frame) + " is not centred in the work area " + show(work));
    controlsAt(app, dpi);
}

// Every control where the table puts it at `dpi`, with its caption and alignment.
void controlsAt(const Brevorn& app, int dpi) {
    for (const form::Control& c : form::kControls) {
        RECT area{};
        GetWindowRect(app.control(c.id), &area);
        MapWindowPoints(nullptr, app.window, reinterpret_cast<POINT*>(&area), 2);
        RECT want = scaled(c.area, dpi);
        // A label that names a box comes before it, so on top: it stops where
        // the box begins instead of painting over it.
        for (const form::BoxName& name : form::kBoxNames) {
            if (name.label == c.id) {
                want.bottom = std::min(want.bottom, scaled(form::control(name.box).area, dpi).top);
            }
        }
        check(EqualRect(&area, &want),
              std::string(c.name) + " at " + show(area) + ", expected " + show(want));
        if (c.kind != form::Kind::textBox) {
            check(app.text(c.id) == wide(c.caption),
                  std::string(c.name) + " reads " + quoted(app.text(c.id)));
        }
        check(centred(app.control(c.id), c.kind) == (c.align == form::Align::centred),
              std::string(c.name) + (c.align == form::Align::centred ? " is not" : " is") +
                  " centred");
    }
}

// Where a box or button overlaps a label, the box or button is hit.
void inFront(Brevorn& app) {
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

void tabOrder(Brevorn& app) {
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
std::wstring spokenName(const form::Control& c) {
    for (const form::BoxName& name : form::kBoxNames) {
        if (name.box == c.id) {
            return wide(name.name());
        }
    }
    return wide(c.caption);
}

std::string hex(HRESULT result) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lx", static_cast<unsigned long>(result));
    return text;
}

// Read as a screen reader reads it, from this process, through oleacc.
void accessibleName(const Brevorn& app, const form::Control& c) {
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

std::vector<Case> accessibleNames() {
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
void keyRunsNothing(Brevorn& app, Id box, WORD key) {
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

Outcome answer(std::wstring text) {
    return {{}, std::move(text)};
}

const Outcome kAskHeight{L"Height?", L"You need to specify a HEIGHT.", Icon::information,
                         Id::txtHeight};
const Outcome kAskWidth{L"Width?", L"You need to specify a WIDTH.", Icon::information,
                        Id::txtWidth};
const Outcome kNumbersOnly{L"Numbers Only", L"You need to input ONLY numbers.", Icon::exclamation};
const Outcome kDivisionByZero{L"Brevorn", L"11 Division by zero in cmdGo_Click"};
const Outcome kOverflow{L"Brevorn", L"6 Overflow in cmdGo_Click"};

struct Calculation {
    std::string name;
    std::wstring height, width;
    std::optional<Id> pasted;  // this box's text comes from the clipboard
    Outcome outcome;
};

constexpr std::nullopt_t kTyped = std::nullopt;
const std::wstring kMegabyte(1 << 20, L'9');
// Clipboard text ends at its first NUL, so "100<NUL>9" pastes as "100".
const std::wstring kNulThenDigit = std::wstring(L"00") + L'\0' + L"9";

const std::vector<Calculation> kCalculations = {
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

void calculate(Brevorn& app, const Calculation& row) {
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

void info(Brevorn& app) {
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

// Where `text` starts and ends in `box` as the box lays it out, its last two
// characters being digits, which are all one width.
struct Span {
    int left, right;
};

Span spanOf(HWND box, const std::wstring& text) {
    const auto x = [box](std::size_t index) {
        return static_cast<short>(LOWORD(SendMessageW(box, EM_POSFROMCHAR, index, 0)));
    };
    const std::size_t last = text.size() - 1;
    return {x(0), x(last) + (x(last) - x(last - 1))};
}

// The message font at `dpi`, from this process's own metrics at its own dpi.
HFONT messageFont(int dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HDC screen = GetDC(nullptr);
    const int own = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, own);
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

int textWidth(HFONT font, const std::wstring& text) {
    HDC screen = GetDC(nullptr);
    const HGDIOBJ previous = SelectObject(screen, font);
    SIZE extent{};
    GetTextExtentPoint32W(screen, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    return extent.cx;
}

// The boxes a person types into are in the system's message font at `dpi`:
// neither the control's default font nor one scaled for another dpi. The box
// may place characters a little apart from the font's own reckoning.
void messageFontIn(const Brevorn& app, int dpi) {
    const std::wstring digits = L"4804804804";
    HFONT font = messageFont(dpi);
    const int want = textWidth(font, digits);
    DeleteObject(font);
    for (const Id box : {Id::txtHeight, Id::txtWidth}) {
        app.setText(box, digits);
        const Span span = spanOf(app.control(box), digits);
        const int shown = span.right - span.left;
        check(std::abs(shown - want) * 10 <= want,
              std::string(form::control(box).name) + " shows " + quoted(digits) + " " +
                  std::to_string(shown) + " px wide, the message font " + std::to_string(want));
    }
}

// `text` shows whole in the answer box, from its first character, without
// scrolling; says where it lies.
std::string showsWhole(const Brevorn& app, const std::wstring& text) {
    HWND output = app.control(Id::txtOutput);
    RECT room{};
    SendMessageW(output, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
    const Span span = spanOf(output, text);
    const std::string spans = "the answer spans x " + std::to_string(span.left) + ".." +
                              std::to_string(span.right) + ", the room " +
                              std::to_string(room.left) + ".." + std::to_string(room.right);
    check(SendMessageW(output, EM_GETFIRSTVISIBLELINE, 0, 0) == 0 && span.left >= room.left &&
              span.right <= room.right,
          spans);
    return spans;
}

void widestAnswerFits(Brevorn& app) {
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

Seen seenIn(const Brevorn& app) {
    const GUITHREADINFO thread = app.thread();
    return {{app.text(Id::txtHeight), app.text(Id::txtWidth), app.text(Id::txtOutput)},
            thread.hwndFocus,
            static_cast<DWORD>(SendMessageW(thread.hwndFocus, EM_GETSEL, 0, 0)),
            thread.hwndCaret,
            thread.rcCaret};
}

void sameBoxes(const Brevorn& app, const Seen& before, const Seen& now) {
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

// Dragged to a monitor of `other` dpi and back, with text in every box and a
// selection in the width box: the window shows what it showed, laid out as a
// fresh start at each dpi.
void dpiChangesAndBack(Brevorn& app, int dpi, int other) {
    const std::wstring answered = L"H=240, W=320";
    app.setText(Id::txtHeight, L"480");
    app.setText(Id::txtWidth, L"640");
    click(app.control(Id::cmdGo));
    check(waitFor([&] { return app.text(Id::txtOutput) == answered; }),
          "the answer box reads " + quoted(app.text(Id::txtOutput)));
    app.setText(Id::txtWidth, L"");
    click(app.control(Id::txtWidth));
    type(L"72");
    press({VK_SHIFT, VK_LEFT});
    HWND width = app.control(Id::txtWidth);
    check(waitFor([&] { return SendMessageW(width, EM_GETSEL, 0, 0) == MAKELONG(1, 2); }),
          "the width box reads " + quoted(app.text(Id::txtWidth)) + " with no selection");
    const Seen before = seenIn(app);
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

void closes(Brevorn& app, const std::function<void()>& close) {
    close();
    check(waitFor([&] { return !app.running(); }), "the program is still running");
    check(app.exitStatus() == 0, "exit status " + std::to_string(app.exitStatus()));
}

std::vector<Case> casesAt96() {
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

std::vector<Case> casesAt192() {
    std::vector<Case> cases = {
        {"the layout at 192 dpi", [](Brevorn& app) { layout(app, 192); }},
        {"the boxes are in the message font at 192 dpi",
         [](const Brevorn& app) { messageFontIn(app, 192); }},
        {"the widest answer fits at 192 dpi", widestAnswerFits},
        {"to 96 dpi and back keeps every box, the focus and the caret",
         [](Brevorn& app) { dpiChangesAndBack(app, 192, 96); }},
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

// Enough to show that a copy installed elsewhere works: it starts, calculates, explains and ends.
std::vector<Case> quickCases() {
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

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const bool quick = argc == 3 && std::wstring(argv[1]) == L"quick";
    const int dpi = quick ? 96 : argc == 3 ? _wtoi(argv[1]) : 0;
    if (dpi != 96 && dpi != 192) {
        std::fputs("usage: driver 96|192|quick PATH\\TO\\Brevorn.exe\n", stderr);
        return 2;
    }
    // Wine 10 fixes the dpi when its session starts: LogPixels is set before.
    HDC screen = GetDC(nullptr);
    const int session = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    if (session != dpi) {
        std::fprintf(stderr, "Wine runs at %d dpi, not %d\n", session, dpi);
        return 2;
    }
    // A crash ends the program (the one under test too, which inherits this)
    // instead of waiting in Wine's debugger.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int passed = 0, failed = 0;
    std::unique_ptr<Brevorn> app;
    // cppcheck 2.22 counts the throws in the cases' lambdas as the table's own; they throw
    // only when run, in the try below.
    // cppcheck-suppress throwInEntryPoint
    for (const Case& test : quick ? quickCases() : dpi == 96 ? casesAt96() : casesAt192()) {
        std::string why;
        try {
            if (app == nullptr || !app->running()) {
                app = std::make_unique<Brevorn>(argv[2]);
            }
            app->dismissStrayBoxes();
            for (const Id box : {Id::txtHeight, Id::txtWidth, Id::txtOutput}) {
                app->setText(box, L"");
            }
            test.run(*app);
            if (!test.ends && !app->running()) {
                why = "Brevorn.exe ended, status " + std::to_string(app->exitStatus());
            }
        } catch (const Failure& failure) {
            why = failure.why;
        }
        std::printf(why.empty() ? "ok    %s\n" : "FAIL  %s: %s\n", test.name.c_str(), why.c_str());
        std::fflush(stdout);
        ++(why.empty() ? passed : failed);
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
