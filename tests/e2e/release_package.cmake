# Set-up of the release test: the release package made from the current sources (the release
# workflow, quick when its build is up to date), unpacked into a fresh folder.
#   cmake -DSOURCE_DIR=<sources> -DZIP=<package> -DDEST=<folder> -P release_package.cmake
execute_process(COMMAND ${CMAKE_COMMAND} --workflow --preset release
                WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the release workflow failed:\n${output}")
endif()
if(NOT EXISTS ${ZIP})
  message(FATAL_ERROR "the release workflow made no ${ZIP}")
endif()
file(REMOVE_RECURSE ${DEST})
file(MAKE_DIRECTORY ${DEST})
file(ARCHIVE_EXTRACT INPUT ${ZIP} DESTINATION ${DEST})
message(STATUS "${ZIP} unpacked into ${DEST}")
