# The Windows builds' tests run under Wine, through ctest's emulator. Where Wine
# cannot run them, both programs are still built and every check that needs no
# Wine runs; ctest lists the others as not run (Disabled).
#
#   wine_prefix(NAME FIXTURE [PROPERTY VALUE...]): a test that makes (or remakes)
#     a Wine prefix before the tests that need FIXTURE start, and leaves it at rest.
#   disable_where_wine_cannot_run(): called last in each folder whose tests use
#     such a fixture; disables those tests where Wine cannot run them.
include_guard(GLOBAL)

# Looked for at every configure, so that a build made while Wine was missing
# runs everything once Wine is installed, and the other way round.
find_program(brevorn_wine wine NO_CACHE)
if(NOT brevorn_wine)
    message(STATUS "No Wine here: the tests that run Windows programs are disabled.")
    set_property(GLOBAL PROPERTY brevorn_wine_runs FALSE)
elseif(CMAKE_SIZEOF_VOID_P EQUAL 4)
    # 32-bit Wine needs a kernel that runs 32-bit programs.
    execute_process(COMMAND ${PROJECT_SOURCE_DIR}/tests/win32/runs_32_bit_code
                    RESULT_VARIABLE runs ERROR_VARIABLE why ERROR_STRIP_TRAILING_WHITESPACE)
    if(runs EQUAL 0)
        set_property(GLOBAL PROPERTY brevorn_wine_runs TRUE)
    else()
        message(STATUS "${why} The tests that run x86 programs are disabled.")
        set_property(GLOBAL PROPERTY brevorn_wine_runs FALSE)
    endif()
else()
    set_property(GLOBAL PROPERTY brevorn_wine_runs TRUE)
endif()

function(wine_prefix name fixture)
    add_test(NAME ${name} COMMAND ${PROJECT_SOURCE_DIR}/tests/win32/wine_prefix)
    set_tests_properties(${name} PROPERTIES FIXTURES_SETUP ${fixture} TIMEOUT 120 ${ARGN})
    set_property(GLOBAL APPEND PROPERTY brevorn_wine_fixtures ${fixture})
endfunction()

function(disable_where_wine_cannot_run)
    get_property(runs GLOBAL PROPERTY brevorn_wine_runs)
    if(NOT runs)
        get_property(wine_fixtures GLOBAL PROPERTY brevorn_wine_fixtures)
        get_property(tests DIRECTORY PROPERTY TESTS)
        foreach(test IN LISTS tests)
            get_test_property(${test} FIXTURES_REQUIRED required)
            get_test_property(${test} FIXTURES_SETUP set_up)
            foreach(fixture IN LISTS required set_up)
                if(fixture IN_LIST wine_fixtures)
                    set_tests_properties(${test} PROPERTIES DISABLED TRUE)
                    break()
                endif()
            endforeach()
        endforeach()
    endif()
endfunction()
