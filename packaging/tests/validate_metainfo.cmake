# cmake -DMETAINFO=<id.metainfo.xml> -P validate_metainfo.cmake
# --strict and --pedantic have appstreamcli report everything it would remark on.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/appstream.cmake)
appstream_validate(validate ${METAINFO} ${METAINFO} --strict --explain)
