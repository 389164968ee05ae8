// Clicks Brevorn.exe's Calculate button over and over through its real window
// and prints what the process holds before and after: GDI objects, windows
// and private bytes. Phase one computes 480 x 640; phase two enters a bad
// height, so each click opens "Numbers Only", which is then dismissed.
//
//   soak.exe [--clicks N] [--boxes M] BREVORN
//
// The clicks are mouse input through SendInput, at the button's centre; the box
// is dismissed with Enter, also through SendInput. Each waits for its effect:
// the answer written again, or the box opened and closed.
// Under Wine 8 GetGuiResources is a stub that answers 0, so the GDI count is
// read from the handle table Wine keeps in each process's memory (the PEB
// points to it), and the USER count is the process's windows. PrivateUsage is
// 0 there too, so private bytes are summed over the committed private regions.
#include <windows.h>
// after windows.h, which they need
#include <psapi.h>
#include <winternl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/windows/child_process.h"
#include "window/form_layout.h"
#include "window/win32/controls.h"

namespace {

using brevorn::controlId;
namespace form = brevorn::form;

// Wine's table entry: 24 bytes, of which the type is non-zero while in use.
struct GdiEntry {
    UINT64 object;
    ULONG owner;
    USHORT unique;
    UCHAR type;
    UCHAR flags;
    UINT64 userPointer;
};
constexpr std::size_t kGdiEntries = 0x10000;
constexpr std::size_t kPebGdiTable = 0xF8;  // PEB::GdiSharedHandleTable on x64

// Live GDI objects, stock objects included; -1 where there is no table.
long gdiObjects(HANDLE process) {
    PROCESS_BASIC_INFORMATION basic{};
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic,
                                  nullptr) != 0) {
        return -1;
    }
    UINT64 table = 0;
    if (!ReadProcessMemory(
            process,
            static_cast<const char*>(static_cast<void*>(basic.PebBaseAddress)) + kPebGdiTable,
            &table, sizeof table, nullptr) ||
        table == 0) {
        return -1;
    }
    std::vector<GdiEntry> entries(kGdiEntries);
    if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(),
                           entries.size() * sizeof(GdiEntry), nullptr)) {
        return -1;
    }
    long used = 0;
    for (const GdiEntry& entry : entries) {
        used += entry.type != 0 ? 1 : 0;
    }
    return used;
}

// Committed private memory, region by region: what PrivateUsage means on
// Windows, where Wine 8 answers 0 for another process.
double privateKiB(HANDLE process) {
    double bytes = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (const char* at = nullptr;
         VirtualQueryEx(process, at, &region, sizeof region) == sizeof region;
         at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) {
            bytes += static_cast<double>(region.RegionSize);
        }
    }
    return bytes / 1024.0;
}

struct WindowCount {
    DWORD pid;
    long windows;
};

// Enumeration callbacks are named CALLBACK (__stdcall) functions, as x86
// needs: no lambda converts to one.
BOOL CALLBACK countChild(HWND, LPARAM n) {
    ++*reinterpret_cast<long*>(n);
    return TRUE;
}

BOOL CALLBACK countOwnWindow(HWND window, LPARAM context) {
    auto& c = *reinterpret_cast<WindowCount*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == c.pid) {
        ++c.windows;
        EnumChildWindows(window, countChild, reinterpret_cast<LPARAM>(&c.windows));
    }
    return TRUE;
}

// Every window the process owns, top-level or child.
long windowsOf(DWORD pid) {
    WindowCount count{pid, 0};
    EnumWindows(countOwnWindow, reinterpret_cast<LPARAM>(&count));
    return count.windows;
}

void report(const char* when, const PROCESS_INFORMATION& process) {
    Sleep(200);  // lets the last click's painting finish
    const DWORD gdi = GetGuiResources(process.hProcess, GR_GDIOBJECTS);
    const DWORD user = GetGuiResources(process.hProcess, GR_USEROBJECTS);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    GetProcessMemoryInfo(process.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                         sizeof memory);
    std::printf("  %-12s %8ld %8ld %13.0f %13.0f %13.0f %6lu %7lu\n", when,
                gdiObjects(process.hProcess), windowsOf(process.dwProcessId),
                privateKiB(process.hProcess), static_cast<double>(memory.PrivateUsage) / 1024.0,
                static_cast<double>(memory.WorkingSetSize) / 1024.0, gdi, user);
}

void heading(const char* phase) {
    std::printf("%s\n  %-12s %8s %8s %13s %13s %13s %6s %7s\n", phase, "", "GDI objs", "windows",
                "private KiB", "PrivateUsage", "working KiB", "GR_GDI", "GR_USER");
}

template <typename Done>
void waitFor(Done done, const char* what) {
    const DWORD started = GetTickCount();
    while (!done()) {
        if (GetTickCount() - started > 5000) {
            bench::fail(what);
        }
        Sleep(1);
    }
}

void click(HWND target) {
    RECT area;
    GetWindowRect(target, &area);
    const int x = (area.left + area.right) / 2;
    const int y = (area.top + area.bottom) / 2;
    INPUT inputs[3]{};
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
    }
    // Absolute coordinates run from 0 to 65535 across the primary screen.
    inputs[0].mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    inputs[0].mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    if (SendInput(3, inputs, sizeof(INPUT)) != 3) {
        bench::fail("SendInput failed");
    }
}

void press(WORD key) {
    INPUT inputs[2]{};
    for (INPUT& input : inputs) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
    }
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    if (SendInput(2, inputs, sizeof(INPUT)) != 2) {
        bench::fail("SendInput failed");
    }
}

std::wstring textOf(HWND box) {
    wchar_t text[64] = L"";
    SendMessageW(box, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
    return text;
}

void setText(HWND box, const wchar_t* text) {
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

int argument(int argc, wchar_t* argv[], const wchar_t* name, int fallback) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::wstring(argv[i]) == name) {
            return _wtoi(argv[i + 1]);
        }
    }
    return fallback;
}

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
    const int clicks = argument(argc, argv, L"--clicks", 1000);
    const int boxes = argument(argc, argv, L"--boxes", 50);
    if (argc % 2 != 0 || clicks < 10 || boxes < 10) {
        std::fprintf(stderr, "usage: soak.exe [--clicks N] [--boxes M] BREVORN\n");
        return 2;
    }
    if (GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS) == 0) {
        std::printf("GetGuiResources answers 0 (error %lu): a stub here\n", GetLastError());
    }
    // The table count must see one font made and deleted in this process.
    const long before = gdiObjects(GetCurrentProcess());
    HFONT font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, L"Tahoma");
    const long during = gdiObjects(GetCurrentProcess());
    DeleteObject(font);
    std::printf("GDI table check in this process: %ld, one font more %ld, deleted %ld\n", before,
                during, gdiObjects(GetCurrentProcess()));

    const std::wstring program = argv[argc - 1];
    const PROCESS_INFORMATION process = bench::start(program);
    HWND window = nullptr;
    waitFor([&] { return (window = bench::visibleWindow(process.dwProcessId, L"Quillane")); },
            "Brevorn.exe showed no window");
    WaitForInputIdle(process.hProcess, 5000);
    SetForegroundWindow(window);
    HWND height = GetDlgItem(window, controlId(form::Id::txtHeight));
    HWND width = GetDlgItem(window, controlId(form::Id::txtWidth));
    HWND output = GetDlgItem(window, controlId(form::Id::txtOutput));
    HWND calculate = GetDlgItem(window, controlId(form::Id::cmdGo));
    setText(height, L"480");
    setText(width, L"640");

    heading("Calculate with 480 and 640, answer H=240, W=320:");
    report("at start", process);
    const int warmup = clicks / 10;
    double started = bench::secondsNow();
    for (int i = 1; i <= clicks; ++i) {
        setText(output, L"");
        click(calculate);
        waitFor([&] { return textOf(output) == L"H=240, W=320"; }, "a click gave no answer");
        if (i == warmup || i == clicks) {
            report((std::to_string(i) + " clicks").c_str(), process);
        }
    }
    std::printf("  %.1f ms a click\n", (bench::secondsNow() - started) * 1000.0 / clicks);

    setText(height, L"abc");
    heading("Calculate with a bad height, \"Numbers Only\" opened and dismissed:");
    report("at start", process);
    started = bench::secondsNow();
    for (int i = 1; i <= boxes; ++i) {
        click(calculate);
        HWND box = nullptr;
        waitFor([&] { return (box = bench::visibleWindow(process.dwProcessId, L"#32770")); },
                "no message box opened");
        waitFor([&] { return GetForegroundWindow() == box; }, "the message box took no focus");
        press(VK_RETURN);
        waitFor([&] { return !IsWindow(box); }, "the message box stayed open");
        waitFor([&] { return GetForegroundWindow() == window; }, "the window took no focus back");
        if (i == boxes / 10 || i == boxes) {
            report((std::to_string(i) + " boxes").c_str(), process);
        }
    }
    std::printf("  %.1f ms a box\n", (bench::secondsNow() - started) * 1000.0 / boxes);

    const DWORD status = bench::close(process, window);
    std::printf("Brevorn.exe exited with status %lu\n", status);
    return status == 0 ? 0 : 1;
}
