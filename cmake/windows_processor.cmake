# Every name that follows from the processor a Windows build is for, BREVORN_WINDOWS_PROCESSOR
# (x64 or x86), which the toolchain file sets. Read by the toolchain, window/win32, packaging
# and the tests; no other file asks which processor it is.
#
#   GNU              the processor in mingw-w64's triplet
#   BITS             the width of a pointer: 32-bit Wine needs a kernel that runs 32-bit programs
#   MANIFEST         the manifest's processorArchitecture: Windows will not start an x86 program
#                    whose manifest says amd64
#   OBJDUMP_FORMAT   objdump's name for the .exe's format
#   SUFFIX           the downloads' suffix, as Windows downloads are named
#   MSI_TEMPLATE     the installer's processor in its summary information
#   MSI_WIN64        whether the installer's components are 64-bit ones
#   MSI_PROGRAM_FILES the installer's folder for programs
#   PROGRAM_FILES    where that folder is in a 64-bit Windows (or Wine prefix)
#   MSI_UPGRADE_CODE how Windows Installer knows every version of Brevorn for this processor:
#                    written once, here, and never changed
#   MSI_CONDITION    what the installer requires of Windows and its message, or nothing
#   OLDEST           the oldest Windows the program is for, as its PE header tells the loader:
#                    XP SP3 (5.1) for x86, XP x64 and Server 2003 SP2 (5.2) for x64
#   WINE_OLDEST      Wine's name for that Windows
if(BREVORN_WINDOWS_PROCESSOR STREQUAL "x64")
    set(BREVORN_WINDOWS_GNU x86_64)
    set(BREVORN_WINDOWS_OLDEST 5.2)
    set(BREVORN_WINDOWS_WINE_OLDEST winxp64)
    set(BREVORN_WINDOWS_BITS 64)
    set(BREVORN_WINDOWS_MANIFEST amd64)
    set(BREVORN_WINDOWS_OBJDUMP_FORMAT pei-x86-64)
    set(BREVORN_WINDOWS_SUFFIX win64)
    set(BREVORN_WINDOWS_MSI_TEMPLATE x64)
    set(BREVORN_WINDOWS_MSI_WIN64 yes)
    set(BREVORN_WINDOWS_MSI_PROGRAM_FILES ProgramFiles64Folder)
    set(BREVORN_WINDOWS_PROGRAM_FILES "C:\\Program Files")
    set(BREVORN_WINDOWS_MSI_UPGRADE_CODE 16A5151E-BE0F-4DF4-93CD-DF7C7BE21ECF)
    # Windows Installer itself refuses an x64 package on 32-bit Windows, before this condition,
    # with a message of its own; the condition says which package to take where it is reached.
    set(BREVORN_WINDOWS_MSI_CONDITION VersionNT64
        "This package is for 64-bit Windows. On 32-bit Windows, install @MSI_NAME@-@MSI_VERSION@-win32.msi.")
elseif(BREVORN_WINDOWS_PROCESSOR STREQUAL "x86")
    set(BREVORN_WINDOWS_GNU i686)
    set(BREVORN_WINDOWS_OLDEST 5.1)
    set(BREVORN_WINDOWS_WINE_OLDEST winxp)
    set(BREVORN_WINDOWS_BITS 32)
    set(BREVORN_WINDOWS_MANIFEST x86)
    set(BREVORN_WINDOWS_OBJDUMP_FORMAT pei-i386)
    set(BREVORN_WINDOWS_SUFFIX win32)
    set(BREVORN_WINDOWS_MSI_TEMPLATE Intel)
    set(BREVORN_WINDOWS_MSI_WIN64 no)
    set(BREVORN_WINDOWS_MSI_PROGRAM_FILES ProgramFilesFolder)
    set(BREVORN_WINDOWS_PROGRAM_FILES "C:\\Program Files (x86)")
    set(BREVORN_WINDOWS_MSI_UPGRADE_CODE 617B8D09-D329-40AF-97B2-0571899C9D4A)
    set(BREVORN_WINDOWS_MSI_CONDITION "")
else()
    message(FATAL_ERROR
            "BREVORN_WINDOWS_PROCESSOR is '${BREVORN_WINDOWS_PROCESSOR}', not x64 or x86")
endif()
