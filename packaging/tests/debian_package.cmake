# cmake -DBUILD_DIR=<build tree> -DWORK_DIR=<scratch dir> -DAPP_ID=<id> -DVERSION=<v>
#       -DDESCRIPTION=<description.txt> -P debian_package.cmake
# Builds the .deb with CPack and reads it back as dpkg sees it: its control
# fields and exactly the files a desktop needs. Then Debian's own checker must
# find nothing to warn about.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/require_program.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/installed_files.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/appstream.cmake)
require_program(lintian lintian lintian)
require_program(lintian_explain_tags lintian-explain-tags lintian)
require_program(dpkg_deb dpkg-deb dpkg)
require_program(dpkg_shlibdeps dpkg-shlibdeps dpkg-dev)
# CPack reads the binary's libraries with file(1) before it can compute dependencies.
require_program(file_tool file file)

file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND cpack --config ${BUILD_DIR}/CPackConfig.cmake -B ${WORK_DIR}
                RESULT_VARIABLE status OUTPUT_VARIABLE log ERROR_VARIABLE log)
set(deb ${WORK_DIR}/brevorn_${VERSION}_amd64.deb)
if(NOT status EQUAL 0 OR NOT EXISTS ${deb})
    message(FATAL_ERROR "cpack did not make ${deb}:\n${log}")
endif()

function(expect_field field pattern)
    execute_process(COMMAND ${dpkg_deb} --field ${deb} ${field} OUTPUT_VARIABLE value
                    OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT value MATCHES "${pattern}")
        message(FATAL_ERROR "${field}: '${value}' does not match '${pattern}'")
    endif()
endfunction()
expect_field(Package "^brevorn$")
expect_field(Version "^${VERSION}$")
expect_field(Architecture "^amd64$")
expect_field(Section "^video$")
expect_field(Maintainer ".+ <.+@.+>")
# After the summary line, the extended description must read as written: CPack mangles quotes
# unless told not to.
execute_process(COMMAND ${dpkg_deb} --field ${deb} Description OUTPUT_VARIABLE extended)
string(FIND "${extended}" "\n" summary_end)
string(SUBSTRING "${extended}" ${summary_end} -1 extended)
string(REPLACE "\n .\n" "\n\n" extended "${extended}")
string(REPLACE "\n " "\n" extended "${extended}")
string(STRIP "${extended}" extended)
file(READ ${DESCRIPTION} written)
string(STRIP "${written}" written)
if(NOT extended STREQUAL written)
    message(FATAL_ERROR "Description reads:\n${extended}\nnot:\n${written}")
endif()
expect_field(Recommends "^qt6-wayland$")
# Computed, not written by hand: Qt Widgets and the C library must be there.
expect_field(Depends "libqt6widgets6 \\(>= [0-9.]+")
expect_field(Depends "libc6 \\(>= [0-9.]+")

execute_process(COMMAND ${dpkg_deb} --contents ${deb} OUTPUT_VARIABLE listing)
string(REGEX MATCHALL "\\./usr/[^\n]*[^/\n]\n" files "${listing}")
string(REGEX REPLACE "\n" "" files "${files}")
list(TRANSFORM installed_files PREPEND ./)
list(SORT files)
if(NOT files STREQUAL installed_files)
    message(FATAL_ERROR "package holds:\n${listing}\nexpected files:\n${installed_files}")
endif()

# Informational tags (I:) may stay; any error or warning fails. Lintian's AppStream check is
# appstreamcli validate-tree, all or nothing: it is run here on the package's own tree instead, so
# that only the issues appstream.cmake allows pass. Debian 12's lintian has no such check.
set(tree ${WORK_DIR}/tree)
execute_process(COMMAND ${dpkg_deb} --extract ${deb} ${tree} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "dpkg-deb cannot unpack ${deb}")
endif()
appstream_validate(validate-tree ${tree} "the package's tree")
set(suppressed)
execute_process(COMMAND ${lintian_explain_tags} appstream-metadata-validation-failed
                RESULT_VARIABLE explained OUTPUT_QUIET ERROR_QUIET)
if(explained EQUAL 0)
    set(suppressed --suppress-tags appstream-metadata-validation-failed)
endif()
execute_process(COMMAND ${lintian} --fail-on error,warning ${suppressed} ${deb}
                RESULT_VARIABLE status OUTPUT_VARIABLE report ERROR_VARIABLE report)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "lintian rejects ${deb}:\n${report}")
endif()
