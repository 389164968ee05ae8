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
#include <functional>
#include <string>
#include <vector>

#include "bench/windows/bench.h"
#include "tests/win32/child_process.h"
#include "tests/win32/input.h"
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

// A named CALLBACK (__stdcall) function, as x86 needs: no lambda converts to one.
BOOL CALLBACK countChild(HWND, LPARAM n) {
    ++*reinterpret_cast<long*>(n);
    return TRUE;
}

// Every window the process owns, top-level or child.
long windowsOf(const win32::ChildProcess& child) {
    long count = 0;
    for (HWND window : child.windows(nullptr, true)) {
        ++count;
        EnumChildWindows(window, countChild, reinterpret_cast<LPARAM>(&count));
    }
    return count;
}

void report(const char* when, const win32::ChildProcess& child) {
    Sleep(200);  // lets the last click's painting finish
    const HANDLE process = child.info().hProcess;
    const DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS);
    const DWORD user = GetGuiResources(process, GR_USEROBJECTS);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                         sizeof memory);
    std::printf("  %-12s %8ld %8ld %13.0f %13.0f %13.0f %6lu %7lu\n", when, gdiObjects(process),
                windowsOf(child), privateKiB(process),
                static_cast<double>(memory.PrivateUsage) / 1024.0,
                static_cast<double>(memory.WorkingSetSize) / 1024.0, gdi, user);
}

void heading(const char* phase) {
    std::printf("%s\n  %-12s %8s %8s %13s %13s %13s %6s %7s\n", phase, "", "GDI objs", "windows",
                "private KiB", "PrivateUsage", "working KiB", "GR_GDI", "GR_USER");
}

// Each step waits for its effect, polled every millisecond: the polling is
// part of the time per click.
void await(const std::function<bool()>& done, const char* what) {
    bench::require(win32::waitFor(done, 5000, 1), what);
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
    const win32::ChildProcess child(program);
    bench::require(child.started(), "CreateProcess failed");
    HWND window = nullptr;
    await([&] { return (window = child.window(L"Quillane")) != nullptr; },
          "Brevorn.exe showed no window");
    WaitForInputIdle(child.info().hProcess, 5000);
    SetForegroundWindow(window);
    HWND height = GetDlgItem(window, controlId(form::Id::txtHeight));
    HWND width = GetDlgItem(window, controlId(form::Id::txtWidth));
    HWND output = GetDlgItem(window, controlId(form::Id::txtOutput));
    HWND calculate = GetDlgItem(window, controlId(form::Id::cmdGo));
    win32::setText(height, L"480");
    win32::setText(width, L"640");

    heading("Calculate with 480 and 640, answer H=240, W=320:");
    report("at start", child);
    const int warmup = clicks / 10;
    double started = bench::secondsNow();
    for (int i = 1; i <= clicks; ++i) {
        win32::setText(output, L"");
        win32::click(calculate);
        await([&] { return win32::textOf(output) == L"H=240, W=320"; }, "a click gave no answer");
        if (i == warmup || i == clicks) {
            report((std::to_string(i) + " clicks").c_str(), child);
        }
    }
    std::printf("  %.1f ms a click\n", (bench::secondsNow() - started) * 1000.0 / clicks);

    win32::setText(height, L"abc");
    heading("Calculate with a bad height, \"Numbers Only\" opened and dismissed:");
    report("at start", child);
    started = bench::secondsNow();
    for (int i = 1; i <= boxes; ++i) {
        win32::click(calculate);
        HWND box = nullptr;
        await([&] { return (box = child.window(L"#32770")) != nullptr; }, "no message box opened");
        await([&] { return GetForegroundWindow() == box; }, "the message box took no focus");
        win32::press({VK_RETURN});
        await([&] { return !IsWindow(box); }, "the message box stayed open");
        await([&] { return GetForegroundWindow() == window; }, "the window took no focus back");
        if (i == boxes / 10 || i == boxes) {
            report((std::to_string(i) + " boxes").c_str(), child);
        }
    }
    std::printf("  %.1f ms a box\n", (bench::secondsNow() - started) * 1000.0 / boxes);

    const DWORD status = child.close(window);
    std::printf("Brevorn.exe exited with status %lu\n", status);
    return status == 0 ? 0 : 1;
}
