// What Brevorn's window costs before any of Brevorn's own code: the baseline
// its startup is measured against. The same frame and the same nine controls,
// each made once at its place in the message font, and nothing else: no icon,
// no fitted answer font, no centring.
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <string>

#include "window/form_layout.h"
#include "window/win32/controls.h"

namespace {

namespace form = brevorn::form;

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int show) {
    using brevorn::scaled;
    // The manifest asks for the themed common controls, as Brevorn's does.
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"Floor";
    RegisterClassExW(&windowClass);

    // The desktop's dpi, which under Wine is every monitor's.
    HDC screen = GetDC(nullptr);
    const UINT dpi = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    RECT frame{0, 0, scaled(form::kClientWidth, dpi), scaled(form::kClientHeight, dpi)};
    AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
    HWND window = CreateWindowExW(0, L"Floor", L"Floor", kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                  nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
    for (const form::Control& control : form::kControls) {
        const form::Twips& area = control.area;
        const std::wstring caption(control.caption.begin(), control.caption.end());  // ASCII
        HWND created = CreateWindowExW(
            brevorn::exStyleOf(control), brevorn::className(control.kind), caption.c_str(),
            brevorn::styleOf(control), scaled(area.left, dpi), scaled(area.top, dpi),
            scaled(area.width, dpi), scaled(area.height, dpi), window, nullptr, instance, nullptr);
        if (created == nullptr) {
            return 1;
        }
        SendMessageW(created, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    ShowWindow(window, show);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DeleteObject(font);
    return static_cast<int>(message.wParam);
}
