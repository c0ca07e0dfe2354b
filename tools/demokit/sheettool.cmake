# dbd_sheet_tool(NAME PASS_REGEX): the sheet tool NAME built from main.cpp on demokit, and its
# test "NAME.dolly", which draws from the built game packs into a folder of the build on SDL's
# dummy drivers and passes when the tool prints PASS_REGEX.
function(dbd_sheet_tool _name _pass)
  add_executable(${_name} main.cpp)
  target_link_libraries(${_name} PRIVATE demokit)
  if(DBD_BUILD_TESTS)
    add_test(NAME ${_name}.dolly
             COMMAND ${CMAKE_COMMAND} -E env SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
                     $<TARGET_FILE:${_name}> ${CMAKE_BINARY_DIR}/game
                     ${CMAKE_CURRENT_BINARY_DIR}/dolly)
    set_tests_properties(${_name}.dolly PROPERTIES LABELS content
                         PASS_REGULAR_EXPRESSION "${_pass}")
  endif()
endfunction()
