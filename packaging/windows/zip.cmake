# Run by cpack once its ZIP generator is done (CPACK_POST_BUILD_SCRIPTS): the zip people
# download is made again from the same staged files. CPack's writer takes entries in directory
# order and records the builder's user id, so two builds of one commit would differ. Info-ZIP's
# zip -X records neither owner nor extra times; entries go in by name, each dated
# SOURCE_DATE_EPOCH (reproducible.cmake sets it and makes local time UTC, which zip's MS-DOS
# dates are in).
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/require_program.cmake)
require_program(zip zip zip)
require_program(touch touch coreutils)
set(staging ${CPACK_TEMPORARY_DIRECTORY})
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${staging} ${staging}/*)
list(SORT files)
execute_process(COMMAND ${touch} --no-dereference --date=@$ENV{SOURCE_DATE_EPOCH} ${files}
                WORKING_DIRECTORY ${staging} COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE ${CPACK_PACKAGE_FILES})
execute_process(COMMAND ${zip} -X -D -q -9 ${CPACK_PACKAGE_FILES} ${files}
                WORKING_DIRECTORY ${staging} COMMAND_ERROR_IS_FATAL ANY)
