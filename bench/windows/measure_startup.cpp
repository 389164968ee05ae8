// Startup time and peak memory of Brevorn.exe against the floor program, each
// started in turn with CreateProcess. Runs under Wine: this process keeps the
// wineserver and Wine's desktop up, so every run pays the same Wine process
// start and the difference is the programs' own.
//
//   measure_startup.exe [--runs N] BREVORN FLOOR
//
// A run ends when the program's top-level window is shown. Two clocks see it:
// a WinEvent hook on EVENT_OBJECT_SHOW, stamped when the event reaches this
// process, and a poll of EnumWindows every millisecond. The hook's time is the
// figure when it fired in every run; the poll's lag behind it is reported.
// Wine 8 delivers no out-of-context WinEvents from another process, so under
// Wine the poll is the figure. Idle is the program first waiting for input
// with nothing left to do, paint included, once its window is shown
// (WaitForInputIdle). Wine's GetProcessTimes answers the caller's own times
// for another process, so there is no CPU-time figure.
#include <windows.h>
// after windows.h, which it needs
#include <psapi.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/windows/bench.h"
#include "tests/win32/child_process.h"

namespace {

constexpr DWORD kSettleMs = 300;  // lets the first paint finish before memory is read
constexpr double kShowTimeoutSeconds = 20.0;
constexpr double kHookGraceSeconds = 0.2;  // after the poll saw the window

struct Run {
    double hookMs = NAN;       // start to EVENT_OBJECT_SHOW received
    double pollMs = NAN;       // start to the poll seeing the window visible
    double hookDelayMs = NAN;  // event generated to event received, by the tick count
    double idleMs = NAN;       // start to the first wait for input once shown
    double peakMiB = NAN;
};

struct Watch {
    DWORD pid = 0;
    double shownAt = NAN;
    double delayMs = NAN;
} watch;

void CALLBACK onShow(HWINEVENTHOOK /*hook*/, DWORD /*event*/, HWND window, LONG object,
                     LONG /*child*/, DWORD /*thread*/, DWORD eventTime) {
    if (object != OBJID_WINDOW || !std::isnan(watch.shownAt) ||
        GetAncestor(window, GA_ROOT) != window) {
        return;
    }
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == watch.pid) {
        watch.shownAt = bench::secondsNow();
        watch.delayMs = static_cast<double>(GetTickCount() - eventTime);
    }
}

Run runOnce(const std::wstring& program) {
    Run run;
    watch = Watch{};
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {  // the last program's events
        DispatchMessageW(&message);
    }
    const double started = bench::secondsNow();
    const win32::ChildProcess child(program);
    bench::require(child.started(), "CreateProcess failed");
    const PROCESS_INFORMATION& process = child.info();
    watch.pid = process.dwProcessId;
    HWND window = nullptr;
    double polledAt = NAN;
    double idleAt = NAN;
    for (;;) {
        bench::require(
            MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 1, QS_ALLINPUT) != WAIT_OBJECT_0,
            "the program ended before showing a window");
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
        const double now = bench::secondsNow();
        if (window == nullptr && (window = child.window()) != nullptr) {
            polledAt = now;
        }
        if (window != nullptr && std::isnan(idleAt) && WaitForInputIdle(process.hProcess, 0) == 0) {
            idleAt = now;
        }
        if (window != nullptr && !std::isnan(idleAt) &&
            (!std::isnan(watch.shownAt) || now - polledAt > kHookGraceSeconds)) {
            break;
        }
        bench::require(now - started <= kShowTimeoutSeconds,
                       "the program showed no window in time");
    }
    run.pollMs = (polledAt - started) * 1000.0;
    run.hookMs = (watch.shownAt - started) * 1000.0;
    run.hookDelayMs = watch.delayMs;
    run.idleMs = (idleAt - started) * 1000.0;
    Sleep(kSettleMs);
    PROCESS_MEMORY_COUNTERS memory{};
    if (GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory)) {
        run.peakMiB = static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0);
    }
    if (const DWORD status = child.close(window); status != 0) {
        std::fprintf(stderr, "%ls exited with status %lu\n", program.c_str(), status);
    }
    return run;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 != 0 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

bool measured(const std::vector<double>& values) {
    return std::none_of(values.begin(), values.end(), [](double v) { return std::isnan(v); });
}

void summary(const char* what, const std::vector<double>& values, const char* unit, int digits) {
    if (!measured(values)) {
        std::printf("  %-32s not available here\n", what);
        return;
    }
    const auto [least, most] = std::minmax_element(values.begin(), values.end());
    std::printf("  %-32s median %.*f %s  (min %.*f, max %.*f)\n", what, digits, median(values),
                unit, digits, *least, digits, *most);
}

template <typename Field>
std::vector<double> column(const std::vector<Run>& runs, Field field) {
    std::vector<double> values;
    for (const Run& run : runs) {
        values.push_back(run.*field);
    }
    return values;
}

const wchar_t* baseName(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return path.c_str() + (slash == std::wstring::npos ? 0 : slash + 1);
}

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
    int runs = 30;
    int first = 1;
    if (argc > 2 && std::wstring(argv[1]) == L"--runs") {
        runs = _wtoi(argv[2]);
        first = 3;
    }
    if (argc - first != 2 || runs < 1) {
        std::fprintf(stderr, "usage: measure_startup.exe [--runs N] BREVORN FLOOR\n");
        return 2;
    }
    const std::wstring programs[2] = {argv[first], argv[first + 1]};
    constexpr int kWarmup = 2;

    bench::require(SetWinEventHook(EVENT_OBJECT_SHOW, EVENT_OBJECT_SHOW, nullptr, onShow, 0, 0,
                                   WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS) != nullptr,
                   "SetWinEventHook failed");
    std::vector<Run> results[2];
    std::printf("%d runs of each, alternating, after %d unrecorded\n", runs, kWarmup);
    for (int turn = 0; turn < kWarmup + runs; ++turn) {
        // Alternating spreads any disturbance from other work over both programs,
        // and swapping who goes first each turn spreads any advantage of going second.
        for (int i = 0; i < 2; ++i) {
            const int which = turn % 2 == 0 ? i : 1 - i;
            const Run run = runOnce(programs[which]);
            if (turn >= kWarmup) {
                results[which].push_back(run);
            }
            Sleep(100);
        }
    }

    const bool hooked =
        measured(column(results[0], &Run::hookMs)) && measured(column(results[1], &Run::hookMs));
    double Run::*shown = hooked ? &Run::hookMs : &Run::pollMs;
    for (int i = 0; i < 2; ++i) {
        const std::vector<Run>& r = results[i];
        std::vector<double> lag;
        for (const Run& run : r) {
            lag.push_back(run.pollMs - run.hookMs);
        }
        std::printf("%ls: %zu runs\n", baseName(programs[i]), r.size());
        summary("start to shown (WinEvent hook):", column(r, &Run::hookMs), "ms", 1);
        summary("start to seen by 1 ms polling:", column(r, &Run::pollMs), "ms", 1);
        summary("polling's lag behind the hook:", lag, "ms", 1);
        summary("hook event's delivery delay:", column(r, &Run::hookDelayMs), "ms", 0);
        summary("start to idle, painted:", column(r, &Run::idleMs), "ms", 1);
        summary("peak working set:", column(r, &Run::peakMiB), "MiB", 2);
    }
    const auto ratio = [&](double Run::*field) {
        const std::vector<double> a = column(results[0], field);
        const std::vector<double> b = column(results[1], field);
        return measured(a) && measured(b) ? median(a) / median(b) : NAN;
    };
    std::vector<double> paired;
    for (std::size_t i = 0; i < results[0].size(); ++i) {
        paired.push_back(results[0][i].*shown / results[1][i].*shown);
    }
    std::printf("ratio %ls/%ls of medians: shown %.3f (%s), idle %.3f, memory %.3f\n",
                baseName(programs[0]), baseName(programs[1]), ratio(shown),
                hooked ? "hook" : "polling", ratio(&Run::idleMs), ratio(&Run::peakMiB));
    // Each pair ran back to back, so other work on the machine moves both alike.
    std::printf("median of the run-by-run ratios of time to shown: %.3f\n", median(paired));
    return 0;
}
