# Run by cpack once the zip is made (CPACK_POST_BUILD_SCRIPTS): the installer of the same staged
# files, written beside the zip with its SHA-256. wixl alone never makes the same bytes twice:
# it writes a random PackageCode, the time of the build into the summary information, and the
# files' times into its cabinet. So the files are dated SOURCE_DATE_EPOCH, wixl sees that as the
# time, and the PackageCode, which must change whenever the package does, is derived
# from the package made with a placeholder code. The ProductCode and the components' codes are
# derived from the UpgradeCode, by version and by file, so the same commit gives the same codes.
set(work ${CPACK_TOPLEVEL_DIRECTORY}/msi)
file(REMOVE_RECURSE ${work})
file(COPY ${CPACK_TEMPORARY_DIRECTORY}/ DESTINATION ${work})
file(COPY_FILE ${CPACK_BREVORN_ICO} ${work}/brevorn.ico)

set(upgrade ${CPACK_BREVORN_WINDOWS_MSI_UPGRADE_CODE})
set(MSI_NAME ${CPACK_PACKAGE_NAME})
set(MSI_VERSION ${CPACK_BREVORN_MSI_VERSION})
set(MSI_MANUFACTURER ${CPACK_BREVORN_MSI_PUBLISHER})
set(MSI_UPGRADE_CODE ${upgrade})
string(UUID MSI_PRODUCT_CODE NAMESPACE ${upgrade} NAME "ProductCode ${MSI_VERSION}" TYPE SHA1
       UPPER)
foreach(file IN ITEMS Brevorn.exe README.txt LICENSE.txt)
    string(UUID MSI_GUID_${file} NAMESPACE ${upgrade} NAME "Component ${file}" TYPE SHA1 UPPER)
endforeach()
# The processor's names, from cmake/windows_processor.cmake.
set(MSI_PROGRAM_FILES ${CPACK_BREVORN_WINDOWS_MSI_PROGRAM_FILES})
set(MSI_WIN64 ${CPACK_BREVORN_WINDOWS_MSI_WIN64})
set(template ${CPACK_BREVORN_WINDOWS_MSI_TEMPLATE})
set(MSI_LAUNCH_CONDITION "")
if(CPACK_BREVORN_WINDOWS_MSI_CONDITION)
    list(GET CPACK_BREVORN_WINDOWS_MSI_CONDITION 0 condition)
    list(GET CPACK_BREVORN_WINDOWS_MSI_CONDITION 1 message)
    string(CONFIGURE "${message}" message @ONLY)
    set(MSI_LAUNCH_CONDITION "<Condition Message=\"${message}\">${condition}</Condition>")
endif()
configure_file(${CPACK_BREVORN_MSI_TEMPLATE} ${work}/brevorn.wxs @ONLY)

file(GLOB inputs LIST_DIRECTORIES false RELATIVE ${work} ${work}/*)
# The clock stands still at SOURCE_DATE_EPOCH: faketime's "@" start lets it run, and wixl 0.106
# stamps the summary information late enough for two builds to differ by seconds.
string(TIMESTAMP frozen "%Y-%m-%d %H:%M:%S" UTC)
set(at ${CMAKE_COMMAND} -E env TZ=UTC ${CPACK_BREVORN_FAKETIME} -f ${frozen})
execute_process(COMMAND touch --date=@$ENV{SOURCE_DATE_EPOCH} ${inputs}
                WORKING_DIRECTORY ${work} COMMAND_ERROR_IS_FATAL ANY)
# wixl takes the processor from -a alone: it warns that Package/@Platform is no property.
# Its sources are named relative to the folder it runs in, as it fails on absolute ones.
execute_process(COMMAND ${at} ${CPACK_BREVORN_WIXL} -a ${CPACK_BREVORN_WINDOWS_PROCESSOR}
                        -o brevorn.msi brevorn.wxs
                WORKING_DIRECTORY ${work} RESULT_VARIABLE status ERROR_VARIABLE log)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "wixl failed:\n${log}")
endif()
# msibuild -s sets the subject, the author, the template (processor and language) and the
# PackageCode together, and keeps the times wixl wrote.
function(set_package_code code)
    execute_process(COMMAND ${CPACK_BREVORN_MSIBUILD} brevorn.msi
                            -s "${MSI_NAME} ${MSI_VERSION}" "${MSI_MANUFACTURER}"
                            "${template};1033" "{${code}}"
                    WORKING_DIRECTORY ${work} COMMAND_ERROR_IS_FATAL ANY)
endfunction()
set_package_code(00000000-0000-0000-0000-000000000000)
file(SHA256 ${work}/brevorn.msi content)
string(UUID package_code NAMESPACE ${upgrade} NAME "PackageCode ${content}" TYPE SHA1 UPPER)
set_package_code(${package_code})

set(msi ${MSI_NAME}-${MSI_VERSION}-${CPACK_BREVORN_WINDOWS_SUFFIX}.msi)
file(COPY_FILE ${work}/brevorn.msi ${CPACK_PACKAGE_DIRECTORY}/${msi})
file(SHA256 ${CPACK_PACKAGE_DIRECTORY}/${msi} sum)
file(WRITE ${CPACK_PACKAGE_DIRECTORY}/${msi}.sha256 "${sum}  ${msi}\n")
message(STATUS "- package: ${CPACK_PACKAGE_DIRECTORY}/${msi} generated.")
