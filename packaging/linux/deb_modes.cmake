# Run by cpack twice (CPACK_PRE_BUILD_SCRIPTS, CPACK_POST_BUILD_SCRIPTS), so that the builder's
# umask never reaches the .deb: the folders it installs are made with it, and so are the three
# scratch files CPack's DEB generator puts into its ar archive (debian-binary, control.tar.gz,
# data.tar.gz). The folders become 0755, as Debian has them; the members 100644, as dpkg-deb
# writes them.
if(NOT DEFINED CPACK_PACKAGE_FILES)
    file(GLOB_RECURSE entries LIST_DIRECTORIES true ${CPACK_TEMPORARY_DIRECTORY}/*)
    foreach(entry IN LISTS entries)
        if(IS_DIRECTORY ${entry} AND NOT IS_SYMLINK ${entry})
            file(CHMOD ${entry} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                 GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
        endif()
    endforeach()
else()
    # The package is written; its members' modes are rewritten in place.
    include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/require_program.cmake)
    require_program(dd dd coreutils)
    set(mode_file ${CPACK_TOPLEVEL_DIRECTORY}/ar_member_mode)
    file(WRITE ${mode_file} "100644  ")
    foreach(deb IN LISTS CPACK_PACKAGE_FILES)
        file(SIZE ${deb} deb_size)
        # After the 8-byte magic, each member is a 60-byte header, then its data padded to even
        # length. In a header the mode is the 8 bytes at 40, the size the 10 decimal digits at 48.
        set(header 8)
        while(header LESS deb_size)
            math(EXPR size_at "${header} + 48")
            file(READ ${deb} size OFFSET ${size_at} LIMIT 10)
            string(STRIP "${size}" size)
            if(NOT size MATCHES "^[0-9]+$")
                message(FATAL_ERROR "${deb}: no ar member header at ${header}")
            endif()
            math(EXPR mode_at "${header} + 40")
            execute_process(COMMAND ${dd} of=${deb} bs=1 seek=${mode_at} conv=notrunc status=none
                            INPUT_FILE ${mode_file} COMMAND_ERROR_IS_FATAL ANY)
            math(EXPR header "${header} + 60 + ${size} + ${size} % 2")
        endwhile()
    endforeach()
endif()
