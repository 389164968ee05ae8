#pragma once

#include <windows.h>

#include "window/win32/Win32WindowServices.h"

namespace brevorn {

// The program's one window: two sizes in, one answer out.
class frmQuillane final {
public:
    // Creates the window, centred on the primary monitor's work area, and
    // shows it with the focus in txtHeight.
    frmQuillane(HINSTANCE instance, int show);
    ~frmQuillane();
    frmQuillane(const frmQuillane&) = delete;
    frmQuillane& operator=(const frmQuillane&) = delete;

    HWND handle() const { return window_; }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void layOut(UINT dpi);

    HWND window_ = nullptr;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;  // the one the controls are laid out at
    HFONT font_ = nullptr;
    HFONT answerFont_ = nullptr;
    HWND lastFocus_ = nullptr;
    Win32WindowServices services_{nullptr};
};

}  // namespace brevorn
