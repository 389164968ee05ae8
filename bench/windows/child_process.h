// Starting a program and finding its window, as both Windows benchmarks do.
#pragma once

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace bench {

[[noreturn]] inline void fail(const char* what) {
    std::fprintf(stderr, "%s (error %lu)\n", what, GetLastError());
    std::exit(1);
}

inline double secondsNow() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / frequency;
}

inline PROCESS_INFORMATION start(const std::wstring& program) {
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        fail("CreateProcess failed");
    }
    CloseHandle(process.hThread);
    return process;
}

struct WindowSearch {
    DWORD pid;
    const wchar_t* windowClass;
    HWND found;
};

// A named CALLBACK (__stdcall) function, as x86 needs: no lambda converts to one.
inline BOOL CALLBACK takeVisibleWindow(HWND window, LPARAM context) {
    auto& s = *reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != s.pid || !IsWindowVisible(window)) {
        return TRUE;
    }
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    if (s.windowClass != nullptr && std::wstring(name) != s.windowClass) {
        return TRUE;
    }
    s.found = window;
    return FALSE;
}

// The process's visible top-level window of the given class (any class if
// null), or null while it has none.
inline HWND visibleWindow(DWORD pid, const wchar_t* windowClass = nullptr) {
    WindowSearch search{pid, windowClass, nullptr};
    EnumWindows(takeVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Asks the window to close as its close box would; a program that does not
// end within five seconds is killed. Answers the exit status.
inline DWORD close(const PROCESS_INFORMATION& process, HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "the program ignored WM_CLOSE and was killed\n");
        TerminateProcess(process.hProcess, 255);
        WaitForSingleObject(process.hProcess, INFINITE);
    }
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hProcess);
    return status;
}

}  // namespace bench
