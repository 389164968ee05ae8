#include "window/win32/frmQuillane.h"

#include <algorithm>
#include <utility>

#include "commands/run_command.h"
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
const form::BoxName* boxNameOf(form::Id box) {
    for (const form::BoxName& name : form::kBoxNames) {
        if (name.box == box) {
            return &name;
        }
    }
    return nullptr;
}

// The box that `label` names, if it names one.
const form::Control* boxLabelledBy(form::Id label) {
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
    if (const form::Control* named = boxLabelledBy(control.id)) {
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
    for (const form::Control& control : form::kTabOrder) {
        if (!form::takesFocus(control)) {
            continue;
        }
        if (const form::BoxName* name = boxNameOf(control.id)) {
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
    for (const form::Control& control : form::kTabOrder) {
        if (!form::takesFocus(control) && boxLabelledBy(control.id) == nullptr &&
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
// A box that cannot say where its characters are is taken to show them.
bool widestAnswerFits(HWND box, const std::wstring& widest) {
    SetWindowTextW(box, widest.c_str());
    RECT room{};
    SendMessageW(box, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
    const auto x = [box](std::size_t index) {
        return static_cast<short>(LOWORD(SendMessageW(box, EM_POSFROMCHAR, index, 0)));
    };
    const std::size_t last = widest.size() - 1;
    // The answer ends in two digits, and digits are all one width.
    const int left = x(0), right = x(last) + (x(last) - x(last - 1));
    return right <= left || (left >= room.left && right < room.right);
}

// The message font is too wide for the answer box, and a scrolled answer
// loses its first letter: that box alone gets the largest smaller size of the
// same face whose widest answer fits. Measured in a hidden twin of the box at
// `dpi`, so the box itself only ever shows answers. Null when the message
// font fits, or when there is nothing to measure in.
HFONT fittingFont(HWND form, UINT dpi, LOGFONTW font, HFONT messageFont) {
    constexpr int kSmallest = 4;
    // Made as the window is, so that nothing here allocates, and so throws,
    // inside the window procedure on a later change of dpi.
    static const std::wstring widest = toUtf16(form::kWidestAnswer);
    const form::Control& answer = form::control(form::Id::txtOutput);
    const RECT place = placeOf(answer, dpi);
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(form, GWLP_HINSTANCE));
    HWND twin = CreateWindowExW(exStyleOf(answer), className(answer.kind), L"",
                                styleOf(answer) & ~(WS_VISIBLE | WS_TABSTOP), place.left, place.top,
                                place.right, place.bottom, form, nullptr, instance, nullptr);
    if (twin == nullptr) {
        return nullptr;
    }
    SendMessageW(twin, WM_SETFONT, reinterpret_cast<WPARAM>(messageFont), FALSE);
    const int sign = font.lfHeight < 0 ? -1 : 1;
    HFONT fitted = nullptr;
    for (int size = static_cast<int>(font.lfHeight) * sign;
         size > kSmallest && !widestAnswerFits(twin, widest); --size) {
        font.lfHeight = (size - 1) * sign;
        HFONT smaller = CreateFontIndirectW(&font);
        SendMessageW(twin, WM_SETFONT, reinterpret_cast<WPARAM>(smaller), FALSE);
        DeleteObject(fitted);
        fitted = smaller;
    }
    DestroyWindow(twin);
    return fitted;
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
    dpi_ = dpi;
    const LOGFONTW base = dpi::messageFont(dpi);
    font_ = CreateFontIndirectW(&base);
    if (!createControls(window_, instance, dpi, font_)) {
        DestroyWindow(window_);
        return;
    }
    answerFont_ = fittingFont(window_, dpi, base, font_);
    if (answerFont_ != nullptr) {
        SendMessageW(child(window_, form::Id::txtOutput), WM_SETFONT,
                     reinterpret_cast<WPARAM>(answerFont_), FALSE);
    }

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
            for (const form::Control& control : form::kControls) {
                if (control.click != nullptr && HIWORD(wParam) == BN_CLICKED &&
                    LOWORD(wParam) == controlId(control.id)) {
                    runCommand(control.click, services_);
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
        case WM_SETTINGCHANGE:
            // A new text size: the message font, and so the answer's fit.
            if (wParam == SPI_SETNONCLIENTMETRICS) {
                layOut(dpi_);
            }
            break;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;

        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

// Places every control at `dpi` and gives it the system's message font there,
// the answer box its fitted one: as the window would have been made at `dpi`
// with the message font as it is now.
// What the boxes hold, the focus and the caret stay as they are.
void frmQuillane::layOut(UINT dpi) {
    const LOGFONTW base = dpi::messageFont(dpi);
    HFONT font = CreateFontIndirectW(&base);
    HFONT answerFont = fittingFont(window_, dpi, base, font);
    for (const form::Control& control : form::kControls) {
        const RECT place = placeOf(control, dpi);
        HWND box = child(window_, control.id);
        MoveWindow(box, place.left, place.top, place.right, place.bottom, TRUE);
        HFONT own = control.id == form::Id::txtOutput && answerFont != nullptr ? answerFont : font;
        SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(own), TRUE);
    }
    DeleteObject(font_);
    DeleteObject(answerFont_);
    font_ = font;
    answerFont_ = answerFont;
    dpi_ = dpi;
}

}  // namespace brevorn
