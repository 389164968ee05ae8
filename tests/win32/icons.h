// Which system icon a control shows, told by its pixels on the screen: Wine
// will not describe another process's icon handle.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

namespace win32 {

enum class Icon { none, information, exclamation, unknown };

inline Icon iconShown(HWND control) {
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

inline std::string show(Icon icon) {
    constexpr const char* names[] = {"no icon", "the information icon", "the exclamation icon",
                                     "an unknown icon"};
    return names[static_cast<int>(icon)];
}

}  // namespace win32
