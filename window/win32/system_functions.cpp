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
