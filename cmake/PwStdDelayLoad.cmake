# pwstd_delay_load(<target> <dll> <function>...): <target> calls the named functions of <dll>
# through a delay-load import library made by dlltool, so the loader maps <dll> at the first call
# into it instead of when the program starts. Only the functions named can be linked: calling one
# more fails the link with an undefined reference until it is added to the list.
function(pwstd_delay_load target dll)
  if(NOT CMAKE_DLLTOOL)
    message(FATAL_ERROR "dlltool was not found: it comes with the MinGW-w64 binutils.")
  endif()
  string(REGEX REPLACE "\\.dll$" "" base "${dll}")
  set(def "${CMAKE_CURRENT_BINARY_DIR}/${base}_delay.def")
  set(lib "${CMAKE_CURRENT_BINARY_DIR}/lib${base}_delay.a")
  list(JOIN ARGN "\n" exports)
  file(CONFIGURE OUTPUT "${def}" CONTENT "LIBRARY ${dll}\nEXPORTS\n${exports}\n")
  add_custom_command(OUTPUT "${lib}"
                     COMMAND "${CMAKE_DLLTOOL}" --input-def "${def}" --output-delaylib "${lib}"
                     DEPENDS "${def}" VERBATIM)
  add_custom_target(${target}_${base}_delay DEPENDS "${lib}")
  add_dependencies(${target} ${target}_${base}_delay)
  target_link_libraries(${target} PUBLIC "${lib}")
endfunction()
