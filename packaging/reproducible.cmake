# Read by cpack before it packages (CPACK_PROJECT_CONFIG_FILE): every time a package records is
# SOURCE_DATE_EPOCH, which CPack's archives honour. When it is not set, it is the time of the
# commit being built; without git history (a source tarball), midnight UTC of the release date.
# Zip entries keep local time, so the local time is UTC.
set(dated_by "SOURCE_DATE_EPOCH")
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    set(epoch "")
    set(dated_by "the commit's time")
    find_program(git git)
    if(git)
        # Only the source tree's own history: a tarball unpacked inside another repository must
        # not take that repository's time.
        execute_process(COMMAND ${git} -C ${CPACK_BREVORN_SOURCE_DIR} rev-parse --show-toplevel
                        OUTPUT_VARIABLE top OUTPUT_STRIP_TRAILING_WHITESPACE
                        RESULT_VARIABLE status ERROR_QUIET)
        file(REAL_PATH "${CPACK_BREVORN_SOURCE_DIR}" source)
        if(status EQUAL 0 AND top STREQUAL source)
            execute_process(COMMAND ${git} -C ${top} log -1 --format=%ct
                            OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        endif()
    endif()
    if(NOT epoch MATCHES "^[0-9]+$")
        set(dated_by "the release date, without git history")
        execute_process(COMMAND date --utc --date=${CPACK_BREVORN_RELEASE_DATE} +%s
                        OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE
                        COMMAND_ERROR_IS_FATAL ANY)
    endif()
    set(ENV{SOURCE_DATE_EPOCH} ${epoch})
endif()
if(NOT "$ENV{SOURCE_DATE_EPOCH}" MATCHES "^[0-9]+$")
    message(FATAL_ERROR "SOURCE_DATE_EPOCH is '$ENV{SOURCE_DATE_EPOCH}', not seconds since 1970")
endif()
message(STATUS "Packages dated $ENV{SOURCE_DATE_EPOCH}: ${dated_by}")
set(ENV{TZ} UTC0)
