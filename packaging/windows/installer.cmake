# Where packaging_windows_zip's cpack puts the downloads (fixture windows_packages), and what
# windows_msi.sh must find in the installer: for packaging's check of its tables and for the
# tests that install it under Wine.
set(BREVORN_WINDOWS_PACKAGES ${PROJECT_BINARY_DIR}/windows_packages)
set(BREVORN_MSI
    ${BREVORN_WINDOWS_PACKAGES}/${PROJECT_NAME}-${PROJECT_VERSION}-${BREVORN_WINDOWS_SUFFIX}.msi)
set(BREVORN_MSI_CHECK ${PROJECT_SOURCE_DIR}/packaging/tests/windows_msi.sh)
set(BREVORN_MSI_FACTS "BREVORN_MSI_ARCH=${BREVORN_WINDOWS_PROCESSOR}"
                      "BREVORN_MSI_UPGRADE_CODE=${BREVORN_WINDOWS_MSI_UPGRADE_CODE}"
                      "BREVORN_MSI_PUBLISHER=${BREVORN_COPYRIGHT_HOLDER}"
                      "BREVORN_MSI_INSTALL_DIR=${BREVORN_WINDOWS_PROGRAM_FILES}\\${PROJECT_NAME}")
