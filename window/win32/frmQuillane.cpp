#include "window/win32/frmQuillane.h"

#include <algorithm>
#include <cstdio>

#include "calc/letterbox.h"
#include "commands/commands.h"
#include "window/form_layout.h"
#include "window/win32/controls.h"
#include "window/win32/text.h"

namespace brevorn {
namespace {

constexpr wchar_t kClassName[] = L"Quillane";
constexpr DWORD kFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr int kIconId = 1;

int scaled(int twips, UINT dpi) {
    return MulDiv(twips, static_cast<int>(dpi), form::kTwipsPerInch);
}

const wchar_t* className(form::Kind kind) {
    switch (kind) {
        case form::Kind::label:
            return L"STATIC";
        case form::Kind::textBox:
            return L"EDIT";
        case form::Kind::button:
            break;
    }
    return L"BUTTON";
}

DWORD styleOf(const form::Control& control) {
    // Without clipping, a label that repaints after the control in front of it
    // paints over that control.
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    if (form::takesFocus(control)) {
        style |= WS_TABSTOP;
    }
    switch (control.kind) {
        case form::Kind::label:
            return style | SS_CENTER;  // from the top of its area, clear of the box below
        case form::Kind::textBox:
            return style | ES_CENTER | ES_AUTOHSCROLL;
        case form::Kind::button:
            break;
    }
    return style | BS_PUSHBUTTON;
}

HWND create(HWND form, HINSTANCE instance, const form::Control& control) {
    return CreateWindowExW(
        control.kind == form::Kind::textBox ? WS_EX_CLIENTEDGE : 0, className(control.kind),
        toUtf16(control.caption).c_str(), styleOf(control), 0, 0, 0, 0, form,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId(control.id))), instance, nullptr);
}

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

// The dialog manager tabs in creation order, the first created sibling is on
// top, and a screen reader names a box after the static created just before
// it. So: boxes and buttons by tab index, each box just after the label that
// names it (a hidden one where the box has no label of its own), then the
// other labels, under what they overlap. A naming label is on top of its box,
// so its window stops where the box begins (see layOut).
bool createControls(HWND form, HINSTANCE instance) {
    for (const form::Control& control : form::inTabOrder()) {
        if (!form::takesFocus(control)) {
            continue;
        }
        if (const form::BoxName* name = nameOf(control.id)) {
            HWND label =
                name->label.has_value()
                    ? create(form, instance, form::control(*name->label))
                    : CreateWindowExW(0, L"STATIC", toUtf16(name->name()).c_str(), WS_CHILD, 0, 0,
                                      0, 0, form, nullptr, instance, nullptr);
            if (label == nullptr) {
                return false;
            }
        }
        if (create(form, instance, control) == nullptr) {
            return false;
        }
    }
    for (const form::Control& control : form::inTabOrder()) {
        if (!form::takesFocus(control) && namedBy(control.id) == nullptr &&
            create(form, instance, control) == nullptr) {
            return false;
        }
    }
    return true;
}

HWND child(HWND form, form::Id id) {
    return GetDlgItem(form, controlId(id));
}

LOGFONTW messageFont(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
    return metrics.lfMessageFont;
}

// The message font is too wide for the answer box, and a scrolled answer
// loses its first letter: that box alone gets the largest smaller size of the
// same face whose widest answer fits its formatting rectangle.
HFONT fittingFont(HWND box, LOGFONTW font) {
    const std::wstring widest = toUtf16(form::kWidestAnswer);
    HDC dc = GetDC(box);
    for (;;) {
        HFONT candidate = CreateFontIndirectW(&font);
        SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(candidate), FALSE);
        RECT room{};
        SendMessageW(box, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
        const HGDIOBJ previous = SelectObject(dc, candidate);
        SIZE extent{};
        GetTextExtentPoint32W(dc, widest.c_str(), static_cast<int>(widest.size()), &extent);
        SelectObject(dc, previous);
        // One pixel more for the caret, as the box itself reckons.
        if (extent.cx + 1 <= room.right - room.left || font.lfHeight >= -4) {
            ReleaseDC(box, dc);
            return candidate;
        }
        SendMessageW(box, WM_SETFONT, 0, FALSE);
        DeleteObject(candidate);
        font.lfHeight += font.lfHeight < 0 ? 1 : -1;
    }
}

void setIcons(HWND form, HINSTANCE instance, UINT dpi) {
    for (const auto& [which, metric] :
         {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
        const int size = GetSystemMetricsForDpi(metric, dpi);
        const auto* icon = static_cast<HICON>(
            LoadImageW(instance, MAKEINTRESOURCEW(kIconId), IMAGE_ICON, size, size, LR_SHARED));
        SendMessageW(form, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
    }
}

}  // namespace

frmQuillane::frmQuillane(HINSTANCE instance, int show) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kIconId));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);

    // The window procedure already knows the handle by the time this returns.
    window_ = CreateWindowExW(0, kClassName, toUtf16(form::kCaption).c_str(), kFrameStyle,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                              nullptr, instance, this);
    if (window_ == nullptr) {
        return;
    }
    if (!createControls(window_, instance)) {
        DestroyWindow(window_);
        return;
    }
    const UINT dpi = GetDpiForWindow(window_);
    setIcons(window_, instance, dpi);
    layOut(dpi);

    RECT frame{0, 0, scaled(form::kClientWidth, dpi), scaled(form::kClientHeight, dpi)};
    AdjustWindowRectExForDpi(&frame, kFrameStyle, FALSE, 0, dpi);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(window_, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);

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
            setIcons(window_,
                     reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE)),
                     HIWORD(wParam));
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
// A label that names a box is in front of it, so it stops where the box begins.
void frmQuillane::layOut(UINT dpi) {
    const LOGFONTW base = messageFont(dpi);
    HFONT font = CreateFontIndirectW(&base);
    for (const form::Control& control : form::kControls) {
        HWND box = child(window_, control.id);
        const form::Twips& area = control.area;
        int height = scaled(area.height, dpi);
        if (const form::Control* named = namedBy(control.id)) {
            height = std::min(height, scaled(named->area.top, dpi) - scaled(area.top, dpi));
        }
        MoveWindow(box, scaled(area.left, dpi), scaled(area.top, dpi), scaled(area.width, dpi),
                   height, TRUE);
        SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    HFONT answerFont = fittingFont(child(window_, form::Id::txtOutput), base);
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
