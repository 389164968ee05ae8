# cmake -DXPM=<brevorn.xpm> -DICO=<brevorn.ico> -P ico_matches_xpm.cmake
# The committed .ico must be regenerated (make-ico.sh) whenever the XPM changes.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/require_program.cmake)
require_program(identify identify imagemagick)
require_program(compare compare imagemagick)

# One 32x32 image: a second size would escape the pixel comparison below.
execute_process(COMMAND ${identify} -format "%wx%h\n" ${ICO} OUTPUT_VARIABLE sizes
                RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT sizes STREQUAL "32x32\n")
    message(FATAL_ERROR "${ICO} should hold one 32x32 image, holds:\n${sizes}")
endif()

# Without -channel RGBA, compare overlooks a lost transparency.
execute_process(COMMAND ${compare} -channel RGBA -metric AE ${XPM} ${ICO} null:
                RESULT_VARIABLE status ERROR_VARIABLE differing)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ICO} differs from ${XPM} in ${differing} pixels: run make-ico.sh")
endif()
