// Keyboard and mouse input as a person gives it, through SendInput: it goes to
// the foreground window, or to the window under the pointer.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <iterator>
#include <string_view>
#include <vector>

namespace win32 {

inline void send(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

inline INPUT keyInput(WORD key, wchar_t unicode, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = unicode;
    input.ki.dwFlags = (unicode != 0 ? KEYEVENTF_UNICODE : 0) | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

// Presses the keys in order and lets them go in reverse: {VK_MENU, VK_F4} is Alt+F4.
inline void press(std::initializer_list<WORD> chord) {
    std::vector<INPUT> inputs;
    for (const WORD key : chord) {
        inputs.push_back(keyInput(key, 0, false));
    }
    for (auto key = std::rbegin(chord); key != std::rend(chord); ++key) {
        inputs.push_back(keyInput(*key, 0, true));
    }
    send(inputs);
}

inline void type(std::wstring_view text) {
    std::vector<INPUT> inputs;
    for (const wchar_t c : text) {
        inputs.push_back(keyInput(0, c, false));
        inputs.push_back(keyInput(0, c, true));
    }
    send(inputs);
}

// A left click at the window's centre.
inline void click(HWND window) {
    RECT area{};
    GetWindowRect(window, &area);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv((area.left + area.right) / 2, 65536, GetSystemMetrics(SM_CXSCREEN)) + 16;
    input.mi.dy = MulDiv((area.top + area.bottom) / 2, 65536, GetSystemMetrics(SM_CYSCREEN)) + 16;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTDOWN;
    INPUT release = input;
    release.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTUP;
    send({input, release});
}

}  // namespace win32
