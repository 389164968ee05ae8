// Uses Brevorn.exe as a person would, with real keyboard and mouse input, and
// reads back over window messages what is on the screen. Runs under Wine:
//   driver 96|192|quick PATH\TO\Brevorn.exe
// quick runs a few of the 96 dpi rows.
// Prints one line per case, then "N passed, M failed".
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "tests/win32/cases.h"

using namespace win32;

int wmain(int argc, wchar_t** argv) {
    const bool quick = argc == 3 && std::wstring(argv[1]) == L"quick";
    const int dpi = quick ? 96 : argc == 3 ? _wtoi(argv[1]) : 0;
    if (dpi != 96 && dpi != 192) {
        std::fputs("usage: driver 96|192|quick PATH\\TO\\Brevorn.exe\n", stderr);
        return 2;
    }
    // Wine 10 fixes the dpi when its session starts: LogPixels is set before.
    HDC screen = GetDC(nullptr);
    const int session = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    if (session != dpi) {
        std::fprintf(stderr, "Wine runs at %d dpi, not %d\n", session, dpi);
        return 2;
    }
    // A crash ends the program (the one under test too, which inherits this)
    // instead of waiting in Wine's debugger.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int passed = 0, failed = 0;
    std::unique_ptr<Brevorn> app;
    // cppcheck 2.22 counts the throws in the cases' lambdas as the table's own; they throw
    // only when run, in the try below.
    // cppcheck-suppress throwInEntryPoint
    for (const Case& test : quick ? quickCases() : dpi == 96 ? casesAt96() : casesAt192()) {
        std::string why;
        try {
            if (app == nullptr || !app->running()) {
                app = std::make_unique<Brevorn>(argv[2]);
            }
            app->dismissStrayBoxes();
            for (const Id box : {Id::txtHeight, Id::txtWidth, Id::txtOutput}) {
                app->setText(box, L"");
            }
            test.run(*app);
            if (!test.ends && !app->running()) {
                why = "Brevorn.exe ended, status " + std::to_string(app->exitStatus());
            }
        } catch (const Failure& failure) {
            why = failure.why;
        }
        std::printf(why.empty() ? "ok    %s\n" : "FAIL  %s: %s\n", test.name.c_str(), why.c_str());
        std::fflush(stdout);
        ++(why.empty() ? passed : failed);
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
