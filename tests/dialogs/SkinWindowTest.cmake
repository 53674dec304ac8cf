# skin_window_test(NAME SOURCES src... [CONFIG c] [UNMANAGED]): a window test of the skin pair
# and its controls, linked with the tool's resources, saving screenshots into the build's
# screenshots folder.
#
# UNMANAGED: the test display has no window manager, and Wine then waits two seconds for every
# window it counts as managed (a popup with a system menu, like each skin dialog) to be
# withdrawn when it is hidden. For a test that only counts objects over hundreds of pairs, this
# program's windows are left unmanaged (for its own name only); the stacking of unmanaged
# windows then follows Wine's own rules, so tests that look at the screen keep the default.
function(skin_window_test name)
  cmake_parse_arguments(T "UNMANAGED" "CONFIG" "SOURCES" ${ARGN})
  add_unit_test(${name} SOURCES ${T_SOURCES} $<TARGET_OBJECTS:tool_resources>
                LIBS skin_test_support CONFIG "${T_CONFIG}")
  if(NOT PROJECT_RUNS_TESTS)
    return()
  endif()
  get_test_property(${name} ENVIRONMENT environment)
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "${environment};SCREENSHOT_DIR=${CMAKE_BINARY_DIR}/screenshots")
  if(T_UNMANAGED)
    add_test(NAME ${name}_unmanaged
             COMMAND ${CMAKE_SOURCE_DIR}/cmake/wine-run ${CMAKE_BINARY_DIR}/wine reg add
                     "HKCU\\Software\\Wine\\AppDefaults\\${name}.exe\\X11 Driver"
                     /v Managed /d N /f)
    wine_test_properties(${name}_unmanaged CONFIG "${T_CONFIG}" NO_DISPLAY)
    set_tests_properties(${name}_unmanaged PROPERTIES FIXTURES_SETUP ${name}_unmanaged)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED "wine_env;${name}_unmanaged")
  endif()
endfunction()
