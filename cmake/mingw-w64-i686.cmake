# Cross-builds the x86 Brevorn.exe.
set(BREVORN_WINDOWS_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
# i686 code does its double arithmetic on the x87 unit by default, in extended
# precision, and then some answers differ from x64's. SSE2 rounds every step to
# a double, as x64 does; every Windows since 8 requires it. Set here, so that
# every target of this build gets it, GoogleTest and the tests included.
string(APPEND CMAKE_C_FLAGS_INIT " -msse2 -mfpmath=sse")
string(APPEND CMAKE_CXX_FLAGS_INIT " -msse2 -mfpmath=sse")
