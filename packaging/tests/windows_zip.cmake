# cmake -DBUILD_DIR=<windows build tree> -DWORK_DIR=<scratch dir> -DZIP=<file name> -DEXE=<Brevorn.exe>
#       -DFORMAT=<objdump's name for the .exe's format: pei-x86-64 or pei-i386> -P windows_zip.cmake
# What people download must run on its own: exactly Brevorn.exe, its note and its licence, and
# an .exe for the processor the zip is named for that imports nothing but DLLs every Windows has
# (a MinGW runtime DLL would be missing).
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/require_program.cmake)
require_program(objdump x86_64-w64-mingw32-objdump binutils-mingw-w64-x86-64)

file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND cpack --config ${BUILD_DIR}/CPackConfig.cmake -B ${WORK_DIR}
                RESULT_VARIABLE status OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT status EQUAL 0 OR NOT EXISTS ${WORK_DIR}/${ZIP})
    message(FATAL_ERROR "cpack did not make ${ZIP}:\n${log}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${WORK_DIR}/${ZIP} OUTPUT_VARIABLE files)
string(STRIP "${files}" files)
string(REPLACE "\n" ";" files "${files}")
list(SORT files)
if(NOT files STREQUAL "Brevorn.exe;LICENSE.txt;README.txt")
    message(FATAL_ERROR "${ZIP} holds:\n${files}")
endif()

execute_process(COMMAND ${objdump} -p ${EXE} OUTPUT_VARIABLE headers)
if(NOT headers MATCHES "file format ${FORMAT}\n")
    string(REGEX MATCH "file format [^\n]*" format "${headers}")
    message(FATAL_ERROR "${ZIP} is for ${FORMAT}, but Brevorn.exe has ${format}")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
string(REPLACE "DLL Name: " "" imports "${imports}")
string(TOLOWER "${imports}" imports)
list(REMOVE_ITEM imports comctl32.dll gdi32.dll kernel32.dll msvcrt.dll user32.dll)
if(imports)
    message(FATAL_ERROR "Brevorn.exe needs DLLs Windows does not have: ${imports}")
endif()
