// A program started from another process, its windows found and read from
// outside: the end-to-end driver's and the Windows benchmarks'.
#pragma once

#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace win32 {

// Input and painting arrive asynchronously, so effects are awaited, never
// assumed; `every` is how often, in milliseconds, `done` is asked.
inline bool waitFor(const std::function<bool()>& done, int milliseconds = 5000, int every = 10) {
    for (int waited = 0; !done(); waited += every) {
        if (waited >= milliseconds) {
            return false;
        }
        Sleep(static_cast<DWORD>(every));
    }
    return true;
}

inline std::wstring textOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)) + 1,
                      L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

inline void setText(HWND window, const std::wstring& text) {
    SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

inline std::wstring classOf(HWND window) {
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    return name;
}

// Started with no arguments; ended, if it still runs, with this.
class ChildProcess {
public:
    explicit ChildProcess(const std::wstring& program) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring commandLine = L"\"" + program + L"\"";
        CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startup, &process_);
    }
    ~ChildProcess() {
        if (running()) {
            TerminateProcess(process_.hProcess, 99);
        }
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // False when it could not start; GetLastError says why.
    bool started() const { return process_.hProcess != nullptr; }
    bool running() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }
    DWORD exitStatus() const {
        DWORD status = 0;
        GetExitCodeProcess(process_.hProcess, &status);
        return status;
    }
    const PROCESS_INFORMATION& info() const { return process_; }

    // Its visible top-level windows of `className`, of any class if null;
    // with `hidden`, the others too.
    std::vector<HWND> windows(const wchar_t* className = nullptr, bool hidden = false) const {
        Search search{process_.dwProcessId, className, hidden, {}};
        EnumWindows(collect, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }
    HWND window(const wchar_t* className = nullptr) const {
        const auto shown = windows(className);
        return shown.empty() ? nullptr : shown.front();
    }

    // Asks `target` to close, as its close box would, and kills the program if
    // it has not ended within five seconds. Answers its exit status.
    DWORD close(HWND target) const {
        PostMessageW(target, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_.hProcess, 5000) != WAIT_OBJECT_0) {
            std::fputs("the program ignored WM_CLOSE and was killed\n", stderr);
            TerminateProcess(process_.hProcess, 255);
            WaitForSingleObject(process_.hProcess, INFINITE);
        }
        return exitStatus();
    }

private:
    struct Search {
        DWORD process;
        const wchar_t* className;
        bool hidden;
        std::vector<HWND> found;
    };
    // Enumeration callbacks are named functions: on x86 they must be CALLBACK
    // (__stdcall), which no lambda converts to.
    static BOOL CALLBACK collect(HWND window, LPARAM to) {
        auto& search = *reinterpret_cast<Search*>(to);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == search.process && (search.hidden || IsWindowVisible(window)) &&
            (search.className == nullptr || classOf(window) == search.className)) {
            search.found.push_back(window);
        }
        return TRUE;
    }

    PROCESS_INFORMATION process_{};
};

}  // namespace win32
