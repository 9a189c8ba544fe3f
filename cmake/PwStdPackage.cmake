# The release package, made by CPack: dist/PwStd-<version>-win64.zip, holding one folder PwStd/
# with the program (stripped when it was linked), its help and a short read-me (no settings file:
# the program writes its own), and dist/PwStd-<version>-win64.zip.sha256.
set(PWSTD_PACKAGE_NAME "PwStd-${PROJECT_VERSION}-win64")

install(TARGETS PwStd RUNTIME DESTINATION PwStd)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/README.txt DESTINATION PwStd)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/help/ DESTINATION PwStd/help)
install(FILES ${PROJECT_SOURCE_DIR}/docs/tray-menu.png ${PROJECT_SOURCE_DIR}/docs/general-settings.png
              ${PROJECT_SOURCE_DIR}/docs/key-settings.png ${PROJECT_SOURCE_DIR}/docs/about.png
              ${PROJECT_SOURCE_DIR}/docs/options.png
        DESTINATION PwStd/help/images)

if(NOT PWSTD_RELEASE)
  return()
endif()

# CPack's own archive lists the entries in the order the file system returns them and records the
# builder's user and access times; the post-build step makes it again with zip(1) from the same
# staged files in a fixed order (see PwStdZip.cmake).
find_program(PWSTD_ZIP zip)
if(NOT PWSTD_ZIP)
  message(FATAL_ERROR "zip was not found: install Debian's zip package (scripts/setup does).")
endif()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME PwStd)
set(CPACK_PACKAGE_FILE_NAME ${PWSTD_PACKAGE_NAME})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/PwStdZip.cmake)
set(CPACK_PWSTD_ZIP ${PWSTD_ZIP})
set(CPACK_PWSTD_SOURCE_DATE_EPOCH ${PWSTD_SOURCE_DATE_EPOCH})
set(CPACK_PWSTD_DIST_DIR ${PROJECT_SOURCE_DIR}/dist)
include(CPack)
