# cmake -DEXE=<Brevorn.exe> -DOBJDUMP=<objdump> -DCXX=<the build's C++ compiler>
#       -DOLDEST_WINDOWS=<5.1|5.2> -DWORK_DIR=<scratch dir> -P windows_imports.cmake
# Brevorn.exe must load on the oldest Windows it is for: XP SP3 (5.1) for x86, XP x64 and Server
# 2003 SP2 (5.2) for x64. The loader refuses a program whose PE header asks for a newer system,
# or that imports even one function the system lacks, before any of its code runs. So the header
# must ask for no more than that version, and every imported name must be declared by the headers
# at that level. The C runtime, msvcrt.dll, is the system's own and its names are declared
# nowhere: those must be among the ones XP's exports, listed here.
cmake_minimum_required(VERSION 3.25)

# Newer than the oldest Windows, yet declared by mingw-w64's headers at every level:
# NAME:VERSION, the version that brought it.
set(unguarded
    GetThreadId:5.2  # Server 2003 and XP x64; not 32-bit XP
    GetSystemTimePreciseAsFileTime:6.2
    WaitOnAddress:6.2 WakeByAddressSingle:6.2 WakeByAddressAll:6.2
    InitializeSynchronizationBarrier:6.2 EnterSynchronizationBarrier:6.2
    DeleteSynchronizationBarrier:6.2
    AddDllDirectory:6.2 RemoveDllDirectory:6.2 SetDefaultDllDirectories:6.2)

# What the mingw-w64 runtime and libstdc++ of Debian 12, 13 and testing take from msvcrt.dll,
# each exported by XP SP3's (x86) and XP x64's (x64).
set(xp_msvcrt
    abort _amsg_exit _assert atexit atoi _beginthreadex __C_specific_handler calloc ceil _cexit
    _close _commode _controlfp _endthreadex _errno exit fflush _fileno _fmode _fpreset fprintf
    fputc fputs free fwrite getenv _initterm _iob __iob_func __lc_codepage ___lc_codepage_func
    localeconv _lock longjmp malloc __mb_cur_max ___mb_cur_max_func memchr memcmp memcpy
    memmove memset _onexit __p___mb_cur_max __p___winitenv __p__commode __p__fmode __p__iob
    __p__wcmdln printf _read realloc __set_app_type _setjmp _setjmp3 setlocale _setmode
    __setusermatherr setvbuf signal strchr strcmp _strdup strerror strlen strncmp strtoul
    _ultoa _unlock vfprintf _vscprintf _vsnprintf _wcmdln wcslen __wgetmainargs __winitenv)

execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE headers RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} could not read ${EXE}")
endif()

foreach(field IN ITEMS OSystem Subsystem)
    if(NOT headers MATCHES "\nMajor${field}Version\t+([0-9]+)\nMinor${field}Version\t+([0-9]+)\n")
        message(FATAL_ERROR "no ${field} version in the PE header of ${EXE}:\n${headers}")
    endif()
    set(asked ${CMAKE_MATCH_1}.${CMAKE_MATCH_2})
    if(asked VERSION_GREATER OLDEST_WINDOWS)
        message(FATAL_ERROR "Brevorn.exe's PE header asks for ${field} version ${asked}, newer"
                            " than ${OLDEST_WINDOWS}")
    endif()
    string(APPEND versions " ${field} ${asked}")
endforeach()

string(REPLACE "\n" ";" lines "${headers}")
set(dll "")
set(names "")
set(runtime_names "")
foreach(line IN LISTS lines)
    if(line MATCHES "^\tDLL Name: (.+)$")
        string(TOLOWER "${CMAKE_MATCH_1}" dll)
    # An import by name: its address and hint, as binutils 2.40 ("\t389e0\t   68  Name") or
    # 2.44 ("\t0003b558  <none>  0043  Name") prints them.
    elseif(line MATCHES "^\t[0-9a-f]+(\t +[0-9]+| +<none> +[0-9a-f]+) +([A-Za-z_][A-Za-z0-9_]*)$")
        if(dll STREQUAL "msvcrt.dll")
            list(APPEND runtime_names ${CMAKE_MATCH_2})
        else()
            list(APPEND names ${CMAKE_MATCH_2})
        endif()
    endif()
endforeach()
if(NOT names MATCHES "CreateWindowExW")
    message(FATAL_ERROR "no imports read from ${EXE}:\n${headers}")
endif()
list(REMOVE_DUPLICATES names)

set(newer "")
foreach(entry IN LISTS unguarded)
    string(REPLACE ":" ";" entry "${entry}")
    list(GET entry 0 name)
    list(GET entry 1 version)
    if(name IN_LIST names AND version VERSION_GREATER OLDEST_WINDOWS)
        list(APPEND newer ${name})
    endif()
endforeach()
foreach(name IN LISTS runtime_names)
    if(NOT name IN_LIST xp_msvcrt)
        list(APPEND newer msvcrt.dll:${name})
    endif()
endforeach()
if(newer)
    message(FATAL_ERROR "Brevorn.exe imports functions newer than Windows ${OLDEST_WINDOWS}"
                        " (or, from msvcrt.dll, not known to be in XP's): ${newer}")
endif()

# A name the headers hide above the oldest Windows makes this unit fail to compile.
string(REPLACE "." "0" winver "0x0${OLDEST_WINDOWS}")
set(unit "#include <windows.h>\n#include <commctrl.h>\n#include <excpt.h>\n\n")
string(APPEND unit "const void* const imported[] = {\n")
foreach(name IN LISTS names)
    string(APPEND unit "    reinterpret_cast<const void*>(&${name}),\n")
endforeach()
string(APPEND unit "};\n")
file(MAKE_DIRECTORY ${WORK_DIR})
file(WRITE ${WORK_DIR}/imported.cpp "${unit}")
execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C ${CXX} -fsyntax-only -DUNICODE -D_UNICODE
                        -DWINVER=${winver} -D_WIN32_WINNT=${winver} ${WORK_DIR}/imported.cpp
                RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    string(REGEX MATCHALL "'[A-Za-z0-9_]+' was not declared" undeclared "${errors}")
    list(TRANSFORM undeclared REPLACE "'([A-Za-z0-9_]+)'.*" "\\1")
    message(FATAL_ERROR "Brevorn.exe imports functions the Windows ${OLDEST_WINDOWS} headers do"
                        " not declare (newer, or unknown to them): ${undeclared}")
endif()
list(LENGTH names count)
list(LENGTH runtime_names runtime_count)
message(STATUS "PE header:${versions}; ${count} imported functions and ${runtime_count} from"
               " msvcrt.dll, all in Windows ${OLDEST_WINDOWS}")
