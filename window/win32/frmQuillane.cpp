#include "window/win32/frmQuillane.h"

#include <algorithm>
#include <cstdio>
#include <tuple>
#include <utility>

#include "calc/run_error.h"
#include "commands/commands.h"
#include "window/form_layout.h"
#include "window/win32/controls.h"
#include "window/win32/dpi.h"
#include "window/win32/text.h"

namespace brevorn {
namespace {

constexpr wchar_t kClassName[] = L"Quillane";
constexpr DWORD kFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr int kIconId = 1;

// How `box` is named, if it is a text box.
const form::BoxName* nameOf(form::Id box) {
    for (const form::BoxName& name : form::kBoxNames) {
        if (name.box == box) {
            return &name;
        }
    }
    return nullptr;
}

// The box that `label` names, if it names one.
const form::Control* namedBy(form::Id label) {
    for (const form::BoxName& name : form::kBoxNames) {
        if (name.label == label) {
            return &form::control(name.box);
        }
    }
    return nullptr;
}

// Left, top, width and height at `dpi`. A label that names a box is in front
// of it, so it stops where the box begins.
RECT placeOf(const form::Control& control, UINT dpi) {
    const form::Twips& area = control.area;
    int height = scaled(area.height, dpi);
    if (const form::Control* named = namedBy(control.id)) {
        height = std::min(height, scaled(named->area.top, dpi) - scaled(area.top, dpi));
    }
    return {scaled(area.left, dpi), scaled(area.top, dpi), scaled(area.width, dpi), height};
}

// The frame of the client area at `dpi`, centred in the primary work area.
RECT centredFrame(UINT dpi) {
    const RECT frame =
        dpi::frameAround({0, 0, scaled(form::kClientWidth, dpi), scaled(form::kClientHeight, dpi)},
                         kFrameStyle, 0, dpi);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    return {work.left + (work.right - work.left - width) / 2,
            work.top + (work.bottom - work.top - height) / 2, width, height};
}

// Made once, at its place in its font.
HWND create(HWND form, HINSTANCE instance, const form::Control& control, UINT dpi, HFONT font) {
    const RECT place = placeOf(control, dpi);
    HWND created = CreateWindowExW(
        exStyleOf(control), className(control.kind), toUtf16(control.caption).c_str(),
        styleOf(control), place.left, place.top, place.right, place.bottom, form,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId(control.id))), instance, nullptr);
    if (created != nullptr) {
        SendMessageW(created, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    return created;
}

// The dialog manager tabs in creation order, the first created sibling is on
// top, and a screen reader names a box after the static created just before
// it. So: boxes and buttons by tab index, each box just after the label that
// names it (a hidden one where the box has no label of its own), then the
// other labels, under what they overlap.
bool createControls(HWND form, HINSTANCE instance, UINT dpi, HFONT font) {
    for (const form::Control& control : form::inTabOrder()) {
        if (!form::takesFocus(control)) {
            continue;
        }
        if (const form::BoxName* name = nameOf(control.id)) {
            HWND label =
                name->label.has_value()
                    ? create(form, instance, form::control(*name->label), dpi, font)
                    : CreateWindowExW(0, L"STATIC", toUtf16(name->name()).c_str(), WS_CHILD, 0, 0,
                                      0, 0, form, nullptr, instance, nullptr);
            if (label == nullptr) {
                return false;
            }
        }
        if (create(form, instance, control, dpi, font) == nullptr) {
            return false;
        }
    }
    for (const form::Control& control : form::inTabOrder()) {
        if (!form::takesFocus(control) && namedBy(control.id) == nullptr &&
            create(form, instance, control, dpi, font) == nullptr) {
            return false;
        }
    }
    return true;
}

HWND child(HWND form, form::Id id) {
    return GetDlgItem(form, controlId(id));
}

// Whether the widest answer shows whole in `box`, in its present font, as the
// box itself lays it out: from its first character, one pixel to spare for
// the caret. The box's margins follow its font, so its room is read each time.
struct Fit {
    bool fits;
    int width, room;
};

Fit widestAnswerIn(HWND box, const std::wstring& widest) {
    SetWindowTextW(box, widest.c_str());
    RECT room{};
    SendMessageW(box, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
    const auto x = [box](std::size_t index) {
        return static_cast<short>(LOWORD(SendMessageW(box, EM_POSFROMCHAR, index, 0)));
    };
    const std::size_t last = widest.size() - 1;
    // The answer ends in two digits, and digits are all one width.
    const int left = x(0), right = x(last) + (x(last) - x(last - 1));
    SetWindowTextW(box, L"");
    return {left >= room.left && right < room.right, right - left,
            static_cast<int>(room.right - room.left)};
}

// The message font is too wide for the answer box, and a scrolled answer
// loses its first letter: that box alone gets the largest smaller size of the
// same face whose widest answer fits. Width grows about as the height, so the
// size that the message font's width points to is tried first, then its
// neighbours. Null when the message font fits.
HFONT fittingFont(HWND box, LOGFONTW font, HFONT messageFont) {
    constexpr int kSmallest = 4;
    const std::wstring widest = toUtf16(form::kWidestAnswer);
    const Fit whole = widestAnswerIn(box, widest);
    const int sign = font.lfHeight < 0 ? -1 : 1;
    const int size = static_cast<int>(font.lfHeight) * sign;
    if (whole.fits || whole.width <= 0 || size <= kSmallest) {
        return nullptr;
    }
    const auto tried = [&](int trial) {
        font.lfHeight = trial * sign;
        HFONT candidate = CreateFontIndirectW(&font);
        SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(candidate), FALSE);
        return std::pair{candidate, widestAnswerIn(box, widest).fits};
    };
    const auto discard = [&](HFONT candidate) {
        SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(messageFont), FALSE);
        DeleteObject(candidate);
    };
    int trial = std::clamp(MulDiv(size, whole.room - 1, whole.width), kSmallest, size - 1);
    auto [best, fitted] = tried(trial);
    if (fitted) {
        // A larger size may fit as well.
        while (trial + 1 < size) {
            auto [larger, fitsToo] = tried(trial + 1);
            if (!fitsToo) {
                discard(larger);
                SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(best), FALSE);
                break;
            }
            DeleteObject(best);
            best = larger;
            ++trial;
        }
        return best;
    }
    while (!fitted && trial > kSmallest) {
        discard(best);
        std::tie(best, fitted) = tried(--trial);
    }
    return best;
}

// The program's icon at the size the system shows `metric` at `dpi`; shared,
// so each size is read from the resources once.
HICON icon(HINSTANCE instance, int metric, UINT dpi) {
    const int size = dpi::systemMetric(metric, dpi);
    return static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(kIconId), IMAGE_ICON, size, size, LR_SHARED));
}

void setIcons(HWND form, UINT dpi) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(form, GWLP_HINSTANCE));
    for (const auto& [which, metric] :
         {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
        SendMessageW(form, WM_SETICON, which,
                     reinterpret_cast<LPARAM>(icon(instance, metric, dpi)));
    }
}

}  // namespace

frmQuillane::frmQuillane(HINSTANCE instance, int show) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    // The class's icons reach the window as it is made; set on it afterwards,
    // each would be handed to the display again.
    UINT dpi = dpi::ofSystem();
    windowClass.hIcon = icon(instance, SM_CXICON, dpi);
    windowClass.hIconSm = icon(instance, SM_CXSMICON, dpi);
    RegisterClassExW(&windowClass);

    // Made where it will show, at the size it will have, once: the window
    // procedure already knows the handle by the time this returns.
    const RECT frame = centredFrame(dpi);
    window_ =
        CreateWindowExW(0, kClassName, toUtf16(form::kCaption).c_str(), kFrameStyle, frame.left,
                        frame.top, frame.right, frame.bottom, nullptr, nullptr, instance, this);
    if (window_ == nullptr) {
        return;
    }
    // The primary monitor may have been given another dpi since the desktop
    // was set up.
    if (const UINT shown = dpi::ofWindow(window_); shown != dpi) {
        dpi = shown;
        const RECT again = centredFrame(dpi);
        SetWindowPos(window_, nullptr, again.left, again.top, again.right, again.bottom,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        setIcons(window_, dpi);
    }
    const LOGFONTW base = dpi::messageFont(dpi);
    font_ = CreateFontIndirectW(&base);
    if (!createControls(window_, instance, dpi, font_)) {
        DestroyWindow(window_);
        return;
    }
    answerFont_ = fittingFont(child(window_, form::Id::txtOutput), base, font_);

    ShowWindow(window_, show);
    lastFocus_ = child(window_, form::Id::txtHeight);
    SetFocus(lastFocus_);
}

frmQuillane::~frmQuillane() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
    DeleteObject(font_);
    DeleteObject(answerFont_);
}

LRESULT CALLBACK frmQuillane::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<frmQuillane*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_ = window;
        self->services_ = Win32WindowServices(window);
    }
    auto* self = reinterpret_cast<frmQuillane*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        self->window_ = nullptr;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->onMessage(message, wParam, lParam);
}

LRESULT frmQuillane::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED) {
                if (LOWORD(wParam) == controlId(form::Id::cmdGo)) {
                    run(cmdGo_Click);
                } else if (LOWORD(wParam) == controlId(form::Id::cmdInfo)) {
                    run(cmdInfo_Click);
                }
            }
            return 0;
        case WM_ACTIVATE:
            // A plain window gives the focus to itself when it comes back from
            // a message box; typing must go where it went before.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus != nullptr && IsChild(window_, focus)) {
                    lastFocus_ = focus;
                }
            } else if (lastFocus_ != nullptr) {
                SetFocus(lastFocus_);
            }
            return 0;
        case WM_DPICHANGED: {
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                         suggested->right - suggested->left, suggested->bottom - suggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            setIcons(window_, HIWORD(wParam));
            layOut(HIWORD(wParam));
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;

        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

// Places every control at `dpi` and gives it the system's message font there.
void frmQuillane::layOut(UINT dpi) {
    const LOGFONTW base = dpi::messageFont(dpi);
    HFONT font = CreateFontIndirectW(&base);
    for (const form::Control& control : form::kControls) {
        const RECT place = placeOf(control, dpi);
        HWND box = child(window_, control.id);
        MoveWindow(box, place.left, place.top, place.right, place.bottom, TRUE);
        SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    HFONT answerFont = fittingFont(child(window_, form::Id::txtOutput), base, font);
    DeleteObject(font_);
    DeleteObject(answerFont_);
    font_ = font;
    answerFont_ = answerFont;
}

// A command reports its own failures; one that escapes its handler (the
// report itself failed) must not unwind through the system's window procedure.
void frmQuillane::run(void (*command)(WindowServices&)) {
    try {
        command(services_);
    } catch (const RunError& error) {
        std::fprintf(stderr, "Brevorn: unhandled error %d: %s\n", static_cast<int>(error.number),
                     error.description.c_str());
    }
}

}  // namespace brevorn
