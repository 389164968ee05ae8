# cmake -DBUILD_DIR=<build tree> -DSTAGING=<scratch dir> -DAPP_ID=<id> -P install_layout.cmake
# Installs the build the way a distribution package does (prefix /usr under DESTDIR) and checks
# that exactly the expected files arrive, and that each icon is the size its folder promises.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/require_program.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/installed_files.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/appstream.cmake)
require_program(identify identify imagemagick)
file(REMOVE_RECURSE ${STAGING})
set(ENV{DESTDIR} ${STAGING})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
                RESULT_VARIABLE status OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed:\n${log}")
endif()

file(GLOB_RECURSE installed RELATIVE ${STAGING} ${STAGING}/*)
list(SORT installed)
if(NOT installed STREQUAL installed_files)
    list(JOIN installed_files "\n  " expected)
    list(JOIN installed "\n  " installed)
    message(FATAL_ERROR "installed:\n  ${installed}\nexpected:\n  ${expected}")
endif()

# Desktops trust the folder and the .png name, and fall back quietly on anything else.
foreach(file IN LISTS installed)
    if(file MATCHES "/([0-9]+x[0-9]+)/apps/.*\\.png$")
        execute_process(COMMAND ${identify} -format "%m %wx%h" ${STAGING}/${file}
                        OUTPUT_VARIABLE found)
        if(NOT found STREQUAL "PNG ${CMAKE_MATCH_1}")
            message(FATAL_ERROR "${file} is ${found}")
        endif()
    endif()
endforeach()

# One id ties them together: the metainfo's launchable must find the entry, the entry's Icon the
# icons above.
appstream_validate(validate-tree ${STAGING} "the installed tree" --explain)
file(STRINGS ${STAGING}/usr/share/applications/${APP_ID}.desktop icon REGEX "^Icon=")
if(NOT icon STREQUAL "Icon=${APP_ID}")
    message(FATAL_ERROR "the desktop entry's ${icon} names no installed icon")
endif()
