# cmake -DBUILD_DIR=<build tree> -DSTAGING=<scratch dir> -DAPP_ID=<id> -P install_layout.cmake
# Installs the build the way a distribution package does (prefix /usr under DESTDIR) and checks
# that exactly the expected files arrive: a missing one breaks the desktop, a stray one would ship
# unnoticed.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${STAGING})
set(ENV{DESTDIR} ${STAGING})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
                RESULT_VARIABLE status OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed:\n${log}")
endif()

set(expected
    usr/bin/brevorn
    usr/share/applications/brevorn.desktop
    usr/share/icons/hicolor/32x32/apps/brevorn.png
    usr/share/metainfo/${APP_ID}.metainfo.xml)
file(GLOB_RECURSE installed RELATIVE ${STAGING} ${STAGING}/*)
list(SORT installed)
if(NOT installed STREQUAL expected)
    list(JOIN expected "\n  " expected)
    list(JOIN installed "\n  " installed)
    message(FATAL_ERROR "installed:\n  ${installed}\nexpected:\n  ${expected}")
endif()

# Desktops trust the .png name and fail quietly on anything else.
file(READ ${STAGING}/usr/share/icons/hicolor/32x32/apps/brevorn.png signature HEX LIMIT 8)
if(NOT signature STREQUAL "89504e470d0a1a0a")
    message(FATAL_ERROR "the installed brevorn.png is not a PNG")
endif()
