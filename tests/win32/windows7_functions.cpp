// Windows 7 and 8, as far as the window can tell: no function newer than
// Windows 7 SP1 is found, so the window takes every fallback.
#include "window/win32/system_functions.h"

namespace brevorn {

FARPROC systemFunction(const wchar_t* /*dll*/, const char* /*name*/) {
    return nullptr;
}

}  // namespace brevorn
