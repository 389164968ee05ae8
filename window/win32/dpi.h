// Dots per inch, and the system's sizes and fonts at a given dpi, on every
// Windows from 7 SP1: per monitor where the system has it (8.1 and later),
// else at the system's dpi. Nothing else in the window asks which Windows it is.
#pragma once

#include <windows.h>

namespace brevorn::dpi {

// The dpi the desktop was set up at, which a window has before it is placed.
UINT ofSystem();
UINT ofWindow(HWND window);

int systemMetric(int index, UINT dpi);
LOGFONTW messageFont(UINT dpi);
// The frame whose client area is `client`.
RECT frameAround(RECT client, DWORD style, DWORD exStyle, UINT dpi);

}  // namespace brevorn::dpi
