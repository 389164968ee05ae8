# cmake -DENTRY=<file.desktop> -P validate_desktop_entry.cmake
# desktop-file-validate exits 0 on warnings and hints, so any message at all counts as a failure.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/require_program.cmake)
require_program(validator desktop-file-validate desktop-file-utils)

execute_process(COMMAND ${validator} ${ENTRY} RESULT_VARIABLE status OUTPUT_VARIABLE report
                ERROR_VARIABLE report)
if(NOT status EQUAL 0 OR NOT report STREQUAL "")
    message(FATAL_ERROR "desktop-file-validate rejects ${ENTRY}:\n${report}")
endif()
