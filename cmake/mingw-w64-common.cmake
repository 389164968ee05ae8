# What both Windows builds share: Debian's mingw-w64 (posix thread model) for
# BREVORN_WINDOWS_PROCESSOR, set by the toolchain file that includes this one.
# Tests run under Wine, through ctest's emulator.
include(${CMAKE_CURRENT_LIST_DIR}/windows_processor.cmake)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${BREVORN_WINDOWS_GNU})
set(mingw ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
# One self-contained .exe: the C++ runtime and winpthreads are linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
