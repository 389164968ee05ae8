# cmake -DEXE=<Brevorn.exe> -DOBJDUMP=<objdump> -DCXX=<the build's C++ compiler> -DWORK_DIR=<scratch dir>
#       -P windows_imports.cmake
# Brevorn.exe must load on Windows 7 SP1: the loader refuses a program that imports even one
# function the system lacks, before any of its code runs. Every imported name must be declared
# by the headers at the Windows 7 level; the C runtime, msvcrt.dll, is the system's own on every
# version and its internal names are declared nowhere.
cmake_minimum_required(VERSION 3.25)

# Newer than Windows 7 SP1, yet declared by mingw-w64's headers at every level.
set(unguarded
    GetSystemTimePreciseAsFileTime  # Windows 8
    WaitOnAddress WakeByAddressSingle WakeByAddressAll  # Windows 8
    InitializeSynchronizationBarrier EnterSynchronizationBarrier
    DeleteSynchronizationBarrier  # Windows 8
    AddDllDirectory RemoveDllDirectory SetDefaultDllDirectories)  # 8, or 7 with KB2533623

execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE headers RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} could not read ${EXE}")
endif()
string(REPLACE "\n" ";" lines "${headers}")
set(dll "")
set(names "")
foreach(line IN LISTS lines)
    if(line MATCHES "^\tDLL Name: (.+)$")
        string(TOLOWER "${CMAKE_MATCH_1}" dll)
    # An import by name: its address and hint, as binutils 2.40 ("\t389e0\t   68  Name") or
    # 2.44 ("\t0003b558  <none>  0043  Name") prints them.
    elseif(line MATCHES "^\t[0-9a-f]+(\t +[0-9]+| +<none> +[0-9a-f]+) +([A-Za-z_][A-Za-z0-9_]*)$"
           AND NOT dll STREQUAL "msvcrt.dll")
        list(APPEND names ${CMAKE_MATCH_2})
    endif()
endforeach()
if(NOT names MATCHES "CreateWindowExW")
    message(FATAL_ERROR "no imports read from ${EXE}:\n${headers}")
endif()
list(REMOVE_DUPLICATES names)

set(newer "")
foreach(name IN LISTS names)
    if(name IN_LIST unguarded)
        list(APPEND newer ${name})
    endif()
endforeach()
if(newer)
    message(FATAL_ERROR "Brevorn.exe imports functions newer than Windows 7 SP1: ${newer}")
endif()

# A name the headers hide above Windows 7 makes this unit fail to compile.
set(unit "#include <windows.h>\n#include <commctrl.h>\n#include <excpt.h>\n\n")
string(APPEND unit "const void* const imported[] = {\n")
foreach(name IN LISTS names)
    string(APPEND unit "    reinterpret_cast<const void*>(&${name}),\n")
endforeach()
string(APPEND unit "};\n")
file(MAKE_DIRECTORY ${WORK_DIR})
file(WRITE ${WORK_DIR}/imported.cpp "${unit}")
execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C ${CXX} -fsyntax-only -DUNICODE -D_UNICODE -DWINVER=0x0601
                        -D_WIN32_WINNT=0x0601 ${WORK_DIR}/imported.cpp
                RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    string(REGEX MATCHALL "'[A-Za-z0-9_]+' was not declared" undeclared "${errors}")
    list(TRANSFORM undeclared REPLACE "'([A-Za-z0-9_]+)'.*" "\\1")
    message(FATAL_ERROR "Brevorn.exe imports functions the Windows 7 SP1 headers do not declare"
                        " (newer, or unknown to them): ${undeclared}")
endif()
list(LENGTH names count)
message(STATUS "${count} imported functions, all in Windows 7 SP1")
