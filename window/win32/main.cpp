#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include "window/win32/frmQuillane.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int show) {
    // The manifest asks for the themed common controls; they must be loaded.
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    const brevorn::frmQuillane window(instance, show);
    if (window.handle() == nullptr) {
        return 1;
    }
    MSG message{};
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            // -1: the queue itself failed, and the program cannot go on.
            return got < 0 ? 1 : static_cast<int>(message.wParam);
        }
        // The dialog manager gives Tab its order; with no default button,
        // Enter and Escape run nothing.
        if (!IsDialogMessageW(window.handle(), &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}
