# CPack post-build step of the release package. CPack has staged the files and written its
# archive; this makes the archive again from the staged files so that two builds of the same
# sources give the same bytes: entries in name order, every entry dated SOURCE_DATE_EPOCH (in UTC:
# a zip entry holds local time), fixed permissions, no directory entries, and no extra fields
# (owner, access and change times). Then the archive and its SHA-256 checksum go into dist/.
set(stage "${CPACK_TEMPORARY_DIRECTORY}")
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${stage}" "${stage}/*")
list(SORT files)
if(NOT files)
  message(FATAL_ERROR "nothing was staged in ${stage}")
endif()

set(list_file "${CPACK_TOPLEVEL_DIRECTORY}/entries.txt")
set(entries "")
foreach(entry IN LISTS files)
  if(entry MATCHES "\\.exe$")
    file(CHMOD "${stage}/${entry}" FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                                                    GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  else()
    file(CHMOD "${stage}/${entry}" FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  endif()
  string(APPEND entries "${entry}\n")
endforeach()
file(WRITE "${list_file}" "${entries}")
execute_process(COMMAND touch -d "@${CPACK_PWSTD_SOURCE_DATE_EPOCH}" ${files}
                WORKING_DIRECTORY "${stage}" COMMAND_ERROR_IS_FATAL ANY)

list(LENGTH CPACK_PACKAGE_FILES count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one package, CPack made: ${CPACK_PACKAGE_FILES}")
endif()
set(archive "${CPACK_PACKAGE_FILES}")
file(REMOVE "${archive}")
set(ENV{TZ} UTC)
execute_process(COMMAND "${CPACK_PWSTD_ZIP}" -X -D -q -9 -@ "${archive}"
                INPUT_FILE "${list_file}" WORKING_DIRECTORY "${stage}" COMMAND_ERROR_IS_FATAL ANY)

get_filename_component(name "${archive}" NAME)
file(MAKE_DIRECTORY "${CPACK_PWSTD_DIST_DIR}")
file(COPY_FILE "${archive}" "${CPACK_PWSTD_DIST_DIR}/${name}")
file(SHA256 "${archive}" hash)
file(WRITE "${CPACK_PWSTD_DIST_DIR}/${name}.sha256" "${hash}  ${name}\n")
message(STATUS "package: ${CPACK_PWSTD_DIST_DIR}/${name} (sha256 ${hash})")
