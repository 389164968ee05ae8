# appstream_validate(<validate|validate-tree> <path> <what it is> [appstreamcli options])
# Runs appstreamcli and fails on every issue it reports, of any severity, pedantic hints
# included, but the ones below. An issue is its tag and what follows it on its line.
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/require_program.cmake)
set(appstream_allowed_issues
    # Brevorn has no public homepage, and an address made up for the check would mislead;
    # AppStream 1.0 warns of the missing <url type="homepage">, 0.16 says nothing.
    "url-homepage-missing"
    # AppStream 0.16 predates <developer>, which 1.0 wants in place of <developer_name>.
    "unknown-tag developer")

function(appstream_validate command path what)
    require_program(appstreamcli appstreamcli appstream)
    execute_process(COMMAND ${appstreamcli} ${command} --no-net --pedantic ${ARGN} ${path}
                    RESULT_VARIABLE status OUTPUT_VARIABLE report ERROR_VARIABLE report)
    # "W: org.example.app:12: tag-name what it concerns", indented under its file by validate-tree
    string(REGEX MATCHALL "(^|\n) *[EWIP]: [^ \n]+: [^\n]+" lines "${report}")
    set(allowed_seen FALSE)
    foreach(line IN LISTS lines)
        string(REGEX REPLACE "^\n? *[EWIP]: [^ ]+: " "" issue "${line}")
        string(STRIP "${issue}" issue)
        if(NOT issue IN_LIST appstream_allowed_issues)
            message(FATAL_ERROR "appstreamcli finds fault with ${what}:\n${report}")
        endif()
        set(allowed_seen TRUE)
    endforeach()
    # A failure that reports no issue at all is not one of the allowed ones.
    if(NOT status EQUAL 0 AND NOT allowed_seen)
        message(FATAL_ERROR "appstreamcli ${command} failed on ${what}:\n${report}")
    endif()
endfunction()
