# A missing tool must fail the test that needs it, never skip it: the check would go unnoticed.
function(require_program var program package)
    find_program(${var} ${program})
    if(NOT ${var})
        message(FATAL_ERROR "${program} not found: install the Debian package ${package}")
    endif()
endfunction()
