#include "window/win32/system_functions.h"

namespace brevorn {

FARPROC systemFunction(const wchar_t* dll, const char* name) {
    HMODULE module = GetModuleHandleW(dll);
    // Only from System32, never from beside the program. Windows 7 without
    // KB2533623 refuses the flag, but it has none of the DLLs loaded here.
    if (module == nullptr) {
        module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    return module == nullptr ? nullptr : GetProcAddress(module, name);
}

}  // namespace brevorn

// winpthreads, which the C++ runtime brings into Brevorn.exe, imports
// GetTickCount64 (Vista) in mingw-w64 before 11, which XP refuses to load; later
// ones look it up themselves. This import slot of the program's own takes the
// place of the system's: there, it is looked up, and on XP GetTickCount stands
// in, whose wrap after 49.7 days matters only to timed waits, which Brevorn
// never makes.
using TickCount64 = ULONGLONG(WINAPI*)();

namespace {

ULONGLONG WINAPI tickCount64() {
    const auto newer = reinterpret_cast<TickCount64>(
        reinterpret_cast<void (*)()>(brevorn::systemFunction(L"kernel32.dll", "GetTickCount64")));
    return newer != nullptr ? newer() : GetTickCount();
}

}  // namespace

#if defined(__i386__)
#define BREVORN_IMPORT_SLOT(name, stdcall_bytes) "__imp__" #name "@" #stdcall_bytes
#else
#define BREVORN_IMPORT_SLOT(name, stdcall_bytes) "__imp_" #name
#endif
extern "C" const TickCount64 importedGetTickCount64 __asm__(BREVORN_IMPORT_SLOT(GetTickCount64, 0));
const TickCount64 importedGetTickCount64 = tickCount64;
