# The Windows builds' tests run under Wine. Where Wine cannot run this build's programs, both
# programs are still built and every check that needs no Wine runs; ctest lists the others as
# not run (Disabled).
#
#   wine_test(NAME name COMMAND command... [PREFIX folder] [WINDOWS_VERSION version]
#             [ENVIRONMENT NAME=VALUE...] [PROPERTIES property value...])
#     A test run in the Wine prefix PROJECT_BINARY_DIR/folder (wine unless named), which a
#     fixture, folder_prefix, makes (or remakes) before and leaves at rest. WINDOWS_VERSION is
#     the version Wine reports there (winxp64, win7...), Wine's default unless named. The
#     environment is scripts/wine.env's and ENVIRONMENT's. A target named as the command runs
#     through the emulator, wine.
include_guard(DIRECTORY)

# Looked for at every configure, so that a build made while Wine was missing
# runs everything once Wine is installed, and the other way round; on PATH alone,
# where the tests will look for it.
find_program(brevorn_wine wine NO_CACHE NO_CMAKE_PATH NO_CMAKE_ENVIRONMENT_PATH
             NO_CMAKE_SYSTEM_PATH)
set(brevorn_wine_runs TRUE)
if(NOT brevorn_wine)
    message(STATUS "No Wine here: the tests that run Windows programs are disabled.")
    set(brevorn_wine_runs FALSE)
elseif(BREVORN_WINDOWS_BITS EQUAL 32)
    # 32-bit Wine needs a kernel that runs 32-bit programs.
    execute_process(COMMAND ${PROJECT_SOURCE_DIR}/tests/win32/runs_32_bit_code
                    RESULT_VARIABLE runs ERROR_VARIABLE why ERROR_STRIP_TRAILING_WHITESPACE)
    if(NOT runs EQUAL 0)
        message(STATUS "${why} The tests that run x86 programs are disabled.")
        set(brevorn_wine_runs FALSE)
    endif()
endif()
file(STRINGS ${PROJECT_SOURCE_DIR}/scripts/wine.env brevorn_wine_environment REGEX "^[A-Z]")

function(wine_test)
    cmake_parse_arguments(PARSE_ARGV 0 ARG "" "NAME;PREFIX;WINDOWS_VERSION"
                          "COMMAND;ENVIRONMENT;PROPERTIES")
    if(NOT ARG_PREFIX)
        set(ARG_PREFIX wine)
    endif()
    set(environment WINEPREFIX=${PROJECT_BINARY_DIR}/${ARG_PREFIX} ${brevorn_wine_environment})
    # One fixture a prefix, made by the first test that names it.
    get_property(made GLOBAL PROPERTY brevorn_wine_prefix_${ARG_PREFIX} SET)
    if(NOT made)
        set_property(GLOBAL PROPERTY brevorn_wine_prefix_${ARG_PREFIX} "${ARG_WINDOWS_VERSION}")
        add_test(NAME ${ARG_PREFIX}_prefix COMMAND ${PROJECT_SOURCE_DIR}/tests/win32/wine_prefix
                                                   ${ARG_WINDOWS_VERSION})
        set_tests_properties(${ARG_PREFIX}_prefix PROPERTIES FIXTURES_SETUP ${ARG_PREFIX}
                             ENVIRONMENT "${environment}" TIMEOUT 120)
        if(NOT brevorn_wine_runs)
            set_tests_properties(${ARG_PREFIX}_prefix PROPERTIES DISABLED TRUE)
        endif()
    endif()
    get_property(version GLOBAL PROPERTY brevorn_wine_prefix_${ARG_PREFIX})
    if(NOT version STREQUAL "${ARG_WINDOWS_VERSION}")
        message(FATAL_ERROR "${ARG_NAME}: the prefix ${ARG_PREFIX} is already one of Windows "
                            "'${version}', not '${ARG_WINDOWS_VERSION}'")
    endif()
    add_test(NAME ${ARG_NAME} COMMAND ${ARG_COMMAND})
    set_tests_properties(${ARG_NAME} PROPERTIES FIXTURES_REQUIRED ${ARG_PREFIX}
                         ENVIRONMENT "${environment};${ARG_ENVIRONMENT}" ${ARG_PROPERTIES})
    if(NOT brevorn_wine_runs)
        set_tests_properties(${ARG_NAME} PROPERTIES DISABLED TRUE)
    endif()
endfunction()
