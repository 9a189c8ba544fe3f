# The release build: a program without symbols, and the same bytes wherever and whenever it is
# built: no folder of the build machine in the program, no link time in its header, and one time
# stamp for every file of the package, SOURCE_DATE_EPOCH when it is set, else the time of the last
# commit.
if(NOT PWSTD_RELEASE)
  return()
endif()

if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(PWSTD_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
else()
  execute_process(COMMAND git log -1 --format=%ct
                  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                  OUTPUT_VARIABLE PWSTD_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE git_result ERROR_QUIET)
  if(NOT git_result EQUAL 0)
    # Sources outside a repository: the earliest time a zip entry can hold (1980-01-01).
    set(PWSTD_SOURCE_DATE_EPOCH 315532800)
  endif()
endif()
if(NOT PWSTD_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
  message(FATAL_ERROR "SOURCE_DATE_EPOCH must be seconds since 1970, not '${PWSTD_SOURCE_DATE_EPOCH}'")
endif()
message(STATUS "Release time stamp (SOURCE_DATE_EPOCH): ${PWSTD_SOURCE_DATE_EPOCH}")

add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=>"
                    "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_BINARY_DIR}/=>")
# Stripped by the linker: a strip(1) run afterwards would write the current time into the header.
add_link_options(LINKER:--no-insert-timestamp LINKER:--strip-all)
# Every function and variable in a section of its own, so that the linker leaves out the ones
# nothing calls or reads (about 6 KB of the program, most of it constant data).
add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-ffunction-sections>" "$<$<COMPILE_LANGUAGE:C,CXX>:-fdata-sections>")
add_link_options(LINKER:--gc-sections)
