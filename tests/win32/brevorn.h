// Brevorn.exe started for the driver, and what it shows read from outside;
// how a case fails.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tests/win32/child_process.h"
#include "window/form_layout.h"
#include "window/win32/controls.h"

namespace win32 {

namespace form = brevorn::form;
using form::Id;

struct Failure {
    std::string why;
};

inline void check(bool ok, const std::string& why) {
    if (!ok) {
        throw Failure{why};
    }
}

// Quoted and cut short: a pasted megabyte must not flood the report.
inline std::string quoted(std::wstring_view text) {
    std::string out = "\"";
    for (const wchar_t c : text.substr(0, 60)) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
        out += c >= 0x20 && c < 0x7f ? std::string(1, static_cast<char>(c)) : escaped;
    }
    out += '"';
    return text.size() > 60 ? out + "... (" + std::to_string(text.size()) + " characters)" : out;
}

inline std::wstring wide(std::string_view ascii) {
    return {ascii.begin(), ascii.end()};
}

// A message box as its reader sees it.
struct MessageBox {
    HWND handle;
    std::wstring title, prompt;
    HWND icon = nullptr;
    HWND ok = nullptr;
};

class Brevorn {
public:
    // Started, with its window shown.
    explicit Brevorn(const std::wstring& exe) : exe(exe), process_(exe) {
        check(process_.started(),
              "could not start Brevorn.exe (error " + std::to_string(GetLastError()) + ")");
        waitFor([this] { return (window = process_.window(L"Quillane")) != nullptr; }, 10000);
        check(window != nullptr, "Brevorn.exe showed no window");
    }

    bool running() const { return process_.running(); }
    DWORD exitStatus() const { return process_.exitStatus(); }

    HWND control(Id id) const { return GetDlgItem(window, brevorn::controlId(id)); }
    std::wstring text(Id id) const { return textOf(control(id)); }
    void setText(Id id, const std::wstring& value) const { win32::setText(control(id), value); }

    GUITHREADINFO thread() const {
        GUITHREADINFO thread{};
        thread.cbSize = sizeof thread;
        GetGUIThreadInfo(process_.info().dwThreadId, &thread);
        return thread;
    }
    HWND focus() const { return thread().hwndFocus; }
    std::wstring focusName() const {
        for (const form::Control& c : form::kControls) {
            if (focus() == control(c.id)) {
                return wide(c.name);
            }
        }
        return L"window " + classOf(focus());
    }

    std::vector<MessageBox> boxes() const {
        std::vector<MessageBox> found;
        for (HWND box : process_.windows(L"#32770")) {
            MessageBox shown{box, textOf(box), {}};
            EnumChildWindows(box, readBoxPart, reinterpret_cast<LPARAM>(&shown));
            if (!IsWindow(box)) {
                continue;  // closed while being read
            }
            check(GetWindow(box, GW_OWNER) == window,
                  "box " + quoted(shown.title) + " is not owned by the window");
            found.push_back(shown);
        }
        return found;
    }
    MessageBox waitForBox() const {
        std::vector<MessageBox> shown;
        check(waitFor([&] { return !(shown = boxes()).empty(); }), "no message box appeared");
        check(shown.size() == 1, std::to_string(shown.size()) + " message boxes at once");
        return shown[0];
    }
    // What Windows sends as the window moves to a monitor of `dpi`, with the
    // frame it suggests there. The RECT lies at one address in both processes,
    // so the pointer is good whether or not the system copies what it points to.
    void changeDpi(int dpi, const RECT& suggested) const {
        // From the top of the address space, where neither process has much.
        void* here = nullptr;
        void* there = nullptr;
        std::vector<void*> taken;  // pages here whose address is in use there
        for (int attempt = 0; attempt < 64 && there == nullptr; ++attempt) {
            here = VirtualAlloc(nullptr, sizeof suggested, MEM_RESERVE | MEM_COMMIT | MEM_TOP_DOWN,
                                PAGE_READWRITE);
            if (here == nullptr) {
                break;
            }
            there = VirtualAllocEx(process_.info().hProcess, here, sizeof suggested,
                                   MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
            if (there == nullptr) {
                taken.push_back(std::exchange(here, nullptr));
            }
        }
        for (void* page : taken) {
            VirtualFree(page, 0, MEM_RELEASE);
        }
        check(there != nullptr, "no page at one address in both processes (error " +
                                    std::to_string(GetLastError()) + ")");
        *static_cast<RECT*>(here) = suggested;
        const bool written = WriteProcessMemory(process_.info().hProcess, there, &suggested,
                                                sizeof suggested, nullptr);
        DWORD_PTR result = 0;
        const bool sent =
            written &&
            SendMessageTimeoutW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                                reinterpret_cast<LPARAM>(here), SMTO_NORMAL, 5000, &result) != 0;
        VirtualFree(here, 0, MEM_RELEASE);
        VirtualFreeEx(process_.info().hProcess, there, 0, MEM_RELEASE);
        check(sent, "WM_DPICHANGED for " + std::to_string(dpi) + " dpi was not answered");
    }
    // Sets the system's non-client metrics from inside the program: Wine keeps
    // each process's system parameters to itself, so a change made elsewhere
    // never reaches what the program reads. A few instructions there call
    // SystemParametersInfoW with the metrics written beside them.
    bool setMetricsInside(const NONCLIENTMETRICSW& metrics) const {
        // SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, size, the thread's argument, 0),
        // its answer the thread's exit code.
#ifdef _WIN64
        // sub rsp,40; mov r8,rcx; mov ecx,42; mov edx,size; xor r9d,r9d; mov rax,function;
        // call rax; add rsp,40; ret
        unsigned char code[] = {0x48, 0x83, 0xEC, 0x28, 0x49, 0x89, 0xC8, 0xB9, 0x2A, 0,
                                0,    0,    0xBA, 0,    0,    0,    0,    0x45, 0x31, 0xC9,
                                0x48, 0xB8, 0,    0,    0,    0,    0,    0,    0,    0,
                                0xFF, 0xD0, 0x48, 0x83, 0xC4, 0x28, 0xC3};
        constexpr std::size_t sizeAt = 13, functionAt = 22;
#else
        // mov eax,[esp+4]; push 0; push eax; push size; push 42; mov eax,function; call eax; ret 4
        unsigned char code[] = {0x8B, 0x44, 0x24, 0x04, 0x6A, 0x00, 0x50, 0x68,
                                0,    0,    0,    0,    0x6A, 0x2A, 0xB8, 0,
                                0,    0,    0,    0xFF, 0xD0, 0xC2, 0x04, 0x00};
        constexpr std::size_t sizeAt = 8, functionAt = 15;
#endif
        static_assert(SPI_SETNONCLIENTMETRICS == 0x2A);
        const auto function = reinterpret_cast<std::uintptr_t>(
            GetProcAddress(GetModuleHandleW(L"user32.dll"), "SystemParametersInfoW"));
        std::memcpy(code + sizeAt, &metrics.cbSize, sizeof metrics.cbSize);
        std::memcpy(code + functionAt, &function, sizeof function);
        const HANDLE process = process_.info().hProcess;
        auto* there = static_cast<unsigned char*>(
            VirtualAllocEx(process, nullptr, sizeof metrics + sizeof code, MEM_RESERVE | MEM_COMMIT,
                           PAGE_EXECUTE_READWRITE));
        DWORD succeeded = 0;
        if (there != nullptr &&
            WriteProcessMemory(process, there, &metrics, sizeof metrics, nullptr) &&
            WriteProcessMemory(process, there + sizeof metrics, code, sizeof code, nullptr) &&
            FlushInstructionCache(process, there, sizeof metrics + sizeof code)) {
            HANDLE remote =
                CreateRemoteThread(process, nullptr, 0,
                                   reinterpret_cast<LPTHREAD_START_ROUTINE>(
                                       reinterpret_cast<void (*)()>(there + sizeof metrics)),
                                   there, 0, nullptr);
            if (remote != nullptr && WaitForSingleObject(remote, 10000) == WAIT_OBJECT_0) {
                GetExitCodeThread(remote, &succeeded);
            }
            CloseHandle(remote);
        }
        VirtualFreeEx(process, there, 0, MEM_RELEASE);
        return succeeded != 0;
    }
    void dismissStrayBoxes() const {
        for (const MessageBox& box : boxes()) {
            PostMessageW(box.handle, WM_COMMAND, IDOK, 0);
        }
        waitFor([this] { return boxes().empty(); });
    }

    const std::wstring exe;
    HWND window = nullptr;

private:
    // Named, and CALLBACK: on x86 no lambda converts to one.
    static BOOL CALLBACK readBoxPart(HWND child, LPARAM to) {
        auto& shown = *reinterpret_cast<MessageBox*>(to);
        const auto style = GetWindowLongPtrW(child, GWL_STYLE);
        if (!(style & WS_VISIBLE)) {
            return TRUE;
        }
        if (classOf(child) == L"Button") {
            shown.ok = child;
        } else if ((style & SS_TYPEMASK) == SS_ICON) {
            if (SendMessageW(child, STM_GETICON, 0, 0) != 0) {
                shown.icon = child;
            }

        } else {
            shown.prompt = textOf(child);
        }
        return TRUE;
    }

    ChildProcess process_;
};

}  // namespace win32
