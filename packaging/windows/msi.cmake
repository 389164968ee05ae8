# The Windows installer, Brevorn-VERSION-win64.msi or -win32.msi, which cpack makes beside the
# zip from the same files (build_msi.cmake). Included by packaging/CMakeLists.txt on Windows.
include(${CMAKE_CURRENT_LIST_DIR}/../tests/require_program.cmake)
require_program(WIXL wixl wixl)
require_program(MSIBUILD msibuild msitools)
require_program(FAKETIME faketime faketime)

# Windows Installer knows every version of Brevorn for one processor by its UpgradeCode, so
# each is written once, here, and never changes. Everything else that names the package is
# derived from it.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(CPACK_BREVORN_MSI_ARCH x64)
    set(CPACK_BREVORN_MSI_UPGRADE_CODE 16A5151E-BE0F-4DF4-93CD-DF7C7BE21ECF)
    set(CPACK_BREVORN_MSI_SUFFIX win64)
    set(msi_install_dir "C:\\Program Files\\Brevorn")
else()
    set(CPACK_BREVORN_MSI_ARCH x86)
    set(CPACK_BREVORN_MSI_UPGRADE_CODE 617B8D09-D329-40AF-97B2-0571899C9D4A)
    set(CPACK_BREVORN_MSI_SUFFIX win32)
    # Where 64-bit Windows puts a 32-bit program; the tests run in a 64-bit Wine prefix.
    set(msi_install_dir "C:\\Program Files (x86)\\Brevorn")
endif()
# Windows Installer compares only the first three fields of a version: a release that changes
# only the fourth does not upgrade.
set(CPACK_BREVORN_MSI_VERSION ${PROJECT_VERSION})
set(CPACK_BREVORN_MSI_PUBLISHER "${BREVORN_COPYRIGHT_HOLDER}")
set(CPACK_BREVORN_MSI_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/brevorn.wxs.in)
set(CPACK_BREVORN_ICO ${BREVORN_ICO})
set(CPACK_BREVORN_WIXL ${WIXL})
set(CPACK_BREVORN_MSIBUILD ${MSIBUILD})
set(CPACK_BREVORN_FAKETIME ${FAKETIME})
list(APPEND CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/build_msi.cmake)

if(BUILD_TESTING)
    # packaging_windows_zip's cpack makes both packages there.
    set(packages ${CMAKE_CURRENT_BINARY_DIR}/windows_packages)
    set(msi ${packages}/${PROJECT_NAME}-${PROJECT_VERSION}-${CPACK_BREVORN_MSI_SUFFIX}.msi)
    set(harness ${CMAKE_CURRENT_LIST_DIR}/../tests/windows_msi.sh)
    set(msi_env "BREVORN_MSI_ARCH=${CPACK_BREVORN_MSI_ARCH}"
                "BREVORN_MSI_UPGRADE_CODE=${CPACK_BREVORN_MSI_UPGRADE_CODE}"
                "BREVORN_MSI_PUBLISHER=${BREVORN_COPYRIGHT_HOLDER}"
                "BREVORN_MSI_INSTALL_DIR=${msi_install_dir}")
    add_test(NAME packaging_windows_msi_tables COMMAND ${harness} tables ${msi}
                                                       ${CMAKE_CURRENT_BINARY_DIR}/msi_tables)
    set_tests_properties(packaging_windows_msi_tables PROPERTIES
                         FIXTURES_REQUIRED windows_packages ENVIRONMENT "${msi_env}")
    # Installed in a Wine prefix of each test's own, on a desktop, where the installed
    # Brevorn.exe must pass the end-to-end driver's quick rows: only where Wine runs this
    # build's programs, as the other Wine tests.
    include(${PROJECT_SOURCE_DIR}/cmake/wine.cmake)
    get_property(wine_runs GLOBAL PROPERTY brevorn_wine_runs)
    foreach(mode IN ITEMS install upgrade)
        add_test(NAME win32_msi_${mode}
                 COMMAND ${PROJECT_SOURCE_DIR}/tests/e2e/headless-desktop --timeout 240
                         ${harness} ${mode} ${msi} ${CMAKE_CURRENT_BINARY_DIR}/msi_${mode}
                         $<TARGET_FILE:win32_e2e_driver>
                         ${PROJECT_BINARY_DIR}/CPackConfig.cmake)
        set_tests_properties(win32_msi_${mode} PROPERTIES
                             FIXTURES_REQUIRED windows_packages ENVIRONMENT "${msi_env}"
                             TIMEOUT 300 LABELS e2e)
        if(NOT wine_runs)
            set_tests_properties(win32_msi_${mode} PROPERTIES DISABLED TRUE)
        endif()
    endforeach()
endif()
