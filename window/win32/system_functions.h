// Functions newer than Windows XP, looked up when they are wanted so that
// Brevorn.exe loads where they are missing.
#pragma once

#include <windows.h>

namespace brevorn {

// `name` in the system DLL `dll`, or null where this Windows lacks either.
FARPROC systemFunction(const wchar_t* dll, const char* name);

}  // namespace brevorn
