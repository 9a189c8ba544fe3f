# GoogleTest: the host build uses Debian's packaged library; the cross build compiles Debian's
# shipped sources (/usr/src/googletest) with the MinGW compiler.
if(CMAKE_CROSSCOMPILING)
  set(PWSTD_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources for the cross build")
  if(NOT EXISTS ${PWSTD_GTEST_SOURCE_DIR}/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest sources not found in ${PWSTD_GTEST_SOURCE_DIR}: run scripts/setup")
  endif()
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(${PWSTD_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  if(NOT TARGET GTest::gtest_main)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
    add_library(GTest::gmock ALIAS gmock)
  endif()
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# The Windows tests, the programs they stage and the helpers they start share one folder, so a test
# finds its helpers next to itself.
set(PWSTD_WIN_TEST_DIR ${CMAKE_BINARY_DIR}/wintest)
# Makes Wine load a winmm.dll and an xinput1_4.dll found next to a program (the tests' stand-ins)
# and the system's own otherwise. Wine reads it from the environment of the process that starts
# Wine, so ctest sets it.
set(PWSTD_WINE_DLL_OVERRIDES "winmm,xinput1_4=n,b")

# pwstd_test(name LABEL label [TIMEOUT s] SOURCES ... LIBS ...): one test executable, registered
# with ctest. Tests labelled "wine" run under Wine from PWSTD_WIN_TEST_DIR with the DLL override.
function(pwstd_test name)
  cmake_parse_arguments(T "" "LABEL;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_LABEL)
    set(T_LABEL unit)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  pwstd_warnings(${name})
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES LABELS ${T_LABEL} TIMEOUT ${T_TIMEOUT})
  if(T_LABEL STREQUAL "wine")
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PWSTD_WIN_TEST_DIR})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "WINEDLLOVERRIDES=${PWSTD_WINE_DLL_OVERRIDES}")
  endif()
endfunction()
