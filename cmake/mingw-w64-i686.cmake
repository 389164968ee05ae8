# Cross-builds the x86 Brevorn.exe.
set(BREVORN_WINDOWS_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
# For every x86 processor since the Pentium Pro: no MMX, SSE or SSE2, whatever
# the compiler's default. Doubles are then computed on the x87 unit, whose
# precision the calculation sets for itself (calc/floating_point_state.cpp).
# Set here, so that every target of this build gets it, the tests included.
string(APPEND CMAKE_C_FLAGS_INIT " -march=pentiumpro")
string(APPEND CMAKE_CXX_FLAGS_INIT " -march=pentiumpro")
