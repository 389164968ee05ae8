# require_program(VAR PROGRAM DEBIAN_PACKAGE): a missing program fails whatever needs it, the
# configure, cpack or a check, naming the package to install; a check skipped would go unnoticed.
function(require_program var program package)
    find_program(${var} ${program})
    if(NOT ${var})
        message(FATAL_ERROR "${program} not found: install the Debian package ${package}")
    endif()
endfunction()
