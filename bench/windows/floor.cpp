// The least a Win32 program with text can do: the baseline Brevorn.exe's
// startup is measured against. A window of Brevorn's client size with one
// STATIC, so a font is realised and text drawn as in any window with words.
#include <windows.h>

#include "window/form_layout.h"

namespace {

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int show) {
    namespace form = brevorn::form;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"Floor";
    RegisterClassExW(&windowClass);

    constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    const UINT dpi = GetDpiForSystem();
    RECT frame{0, 0, MulDiv(form::kClientWidth, static_cast<int>(dpi), form::kTwipsPerInch),
               MulDiv(form::kClientHeight, static_cast<int>(dpi), form::kTwipsPerInch)};
    AdjustWindowRectExForDpi(&frame, kStyle, FALSE, 0, dpi);
    HWND window = CreateWindowExW(0, L"Floor", L"Floor", kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                  nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    if (CreateWindowExW(0, L"STATIC", L"Floor", WS_CHILD | WS_VISIBLE | SS_CENTER, 8, 8, 296, 20,
                        window, nullptr, instance, nullptr) == nullptr) {
        return 1;
    }
    ShowWindow(window, show);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
