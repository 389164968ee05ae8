#include "window/win32/dpi.h"

#include "window/win32/system_functions.h"

namespace brevorn::dpi {
namespace {

// Windows 10 1607.
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
// Windows 8.1; the dpi type 0 is the effective dpi, the one to lay out at.
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
constexpr int kEffectiveDpi = 0;

template <typename Function>
Function find(const wchar_t* dll, const char* name) {
    // Through void(*)(), which converts to any function pointer without a warning.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(systemFunction(dll, name)));
}

struct Functions {
    GetDpiForWindowFn getDpiForWindow = find<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
    GetSystemMetricsForDpiFn getSystemMetricsForDpi =
        find<GetSystemMetricsForDpiFn>(L"user32.dll", "GetSystemMetricsForDpi");
    SystemParametersInfoForDpiFn systemParametersInfoForDpi =
        find<SystemParametersInfoForDpiFn>(L"user32.dll", "SystemParametersInfoForDpi");
    AdjustWindowRectExForDpiFn adjustWindowRectExForDpi =
        find<AdjustWindowRectExForDpiFn>(L"user32.dll", "AdjustWindowRectExForDpi");
};

const Functions& functions() {
    static const Functions found;
    return found;
}

// Only where user32 cannot answer for a window: loading shcore costs time.
GetDpiForMonitorFn getDpiForMonitor() {
    static const auto found = find<GetDpiForMonitorFn>(L"shcore.dll", "GetDpiForMonitor");
    return found;
}

}  // namespace

UINT ofSystem() {
    static const UINT dpi = [] {
        HDC screen = GetDC(nullptr);
        const int pixels = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        return pixels > 0 ? static_cast<UINT>(pixels) : USER_DEFAULT_SCREEN_DPI;
    }();
    return dpi;
}

UINT ofWindow(HWND window) {
    if (const auto get = functions().getDpiForWindow) {
        if (const UINT dpi = get(window); dpi != 0) {
            return dpi;
        }
    }
    if (const auto get = getDpiForMonitor()) {
        UINT x = 0, y = 0;
        if (SUCCEEDED(
                get(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), kEffectiveDpi, &x, &y)) &&
            y != 0) {
            return y;
        }
    }
    return ofSystem();
}

// Without the per-dpi calls the system answers at its own dpi.
int systemMetric(int index, UINT dpi) {
    if (const auto get = functions().getSystemMetricsForDpi) {
        return get(index, dpi);
    }
    return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(ofSystem()));
}

LOGFONTW messageFont(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (const auto get = functions().systemParametersInfoForDpi) {
        get(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
    } else {
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        metrics.lfMessageFont.lfHeight = MulDiv(
            metrics.lfMessageFont.lfHeight, static_cast<int>(dpi), static_cast<int>(ofSystem()));
    }
    return metrics.lfMessageFont;
}

RECT frameAround(RECT client, DWORD style, DWORD exStyle, UINT dpi) {
    if (const auto adjust = functions().adjustWindowRectExForDpi) {
        adjust(&client, style, FALSE, exStyle, dpi);
    } else {
        // Windows 8.1 draws the frame at the system's dpi on every monitor.
        AdjustWindowRectEx(&client, style, FALSE, exStyle);
    }
    return client;
}

}  // namespace brevorn::dpi
