# Cross-builds the x64 Brevorn.exe.
set(BREVORN_WINDOWS_PROCESSOR x64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
