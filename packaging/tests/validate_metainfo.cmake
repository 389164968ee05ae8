# cmake -DMETAINFO=<id.metainfo.xml> -P validate_metainfo.cmake
# --strict fails on warnings and infos as well as errors, but not on pedantic hints (P:), which
# are caught here; --no-net keeps the check offline.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/require_program.cmake)
require_program(appstreamcli appstreamcli appstream)

execute_process(COMMAND ${appstreamcli} validate --no-net --strict --pedantic --explain ${METAINFO}
                RESULT_VARIABLE status OUTPUT_VARIABLE report ERROR_VARIABLE report)
if(NOT status EQUAL 0 OR report MATCHES "(^|\n)P: ")
    message(FATAL_ERROR "appstreamcli rejects ${METAINFO}:\n${report}")
endif()
