# cmake -DRC=<brevorn.rc> -DICO=<brevorn.ico> -DPREPROCESSOR=<c compiler> -DWORK_DIR=<dir>
#       -P version_resource.cmake
# Compiles the configured resource script with the MinGW resource compiler and reads back what
# Windows will show in the file's properties.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/require_program.cmake)
require_program(windres x86_64-w64-mingw32-windres binutils-mingw-w64-x86-64)
require_program(strings x86_64-w64-mingw32-strings binutils-mingw-w64-x86-64)

file(MAKE_DIRECTORY ${WORK_DIR})
set(res ${WORK_DIR}/brevorn.res)
# No MinGW compiler is installed to preprocess the script, so the host one does it.
execute_process(COMMAND ${windres} --preprocessor=${PREPROCESSOR} --preprocessor-arg=-E
                        --preprocessor-arg=-xc --preprocessor-arg=-DRC_INVOKED
                        -i ${RC} -O res -o ${res}
                RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "windres cannot compile ${RC}:\n${errors}")
endif()

set(failures "")

# Version strings are UTF-16LE; each key is followed directly by its value. Three characters
# is the shortest run that still catches a version written "1.0".
execute_process(COMMAND ${strings} -el -n 3 ${res} OUTPUT_VARIABLE text)
string(REPLACE "\n" ";" text "${text}")
foreach(pair IN ITEMS "StringFileInfo=040904B0" "ProductName=Brevorn" "FileVersion=1.00"
                      "ProductVersion=1.00" "InternalName=Brevorn"
                      "OriginalFilename=Brevorn.exe")
    string(REPLACE "=" ";" pair "${pair}")
    list(GET pair 0 key)
    list(GET pair 1 expected)
    list(FIND text "${key}" at)
    if(at EQUAL -1)
        string(APPEND failures "no ${key}\n")
        continue()
    endif()
    math(EXPR at "${at} + 1")
    list(GET text ${at} actual)
    if(NOT actual STREQUAL expected)
        string(APPEND failures "${key} is \"${actual}\", not \"${expected}\"\n")
    endif()
endforeach()

file(READ ${res} res_hex HEX)
# VS_FIXEDFILEINFO: signature, structure version, then file and product versions 1.0.0.0.
if(NOT res_hex MATCHES "bd04effe0000010000000100000000000000010000000000")
    string(APPEND failures "FILEVERSION or PRODUCTVERSION is not 1,0,0,0\n")
endif()
# "Translation" in UTF-16LE, its terminator and padding, then 0x0409 and 1200 (0x04B0).
if(NOT res_hex MATCHES "5400720061006e0073006c006100740069006f006e000000(0000)?0904b004")
    string(APPEND failures "Translation is not 0x409, 1200\n")
endif()
# The icon resource holds the .ico's image exactly (after its 22-byte header and directory).
file(READ ${ICO} ico_image HEX OFFSET 22)
string(FIND "${res_hex}" "${ico_image}" icon_at)
if(icon_at EQUAL -1)
    string(APPEND failures "the icon is not ${ICO}\n")
endif()

if(failures)
    message(FATAL_ERROR "${RC} compiles to the wrong version resource:\n${failures}")
endif()
