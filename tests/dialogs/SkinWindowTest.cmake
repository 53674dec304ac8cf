# skin_window_test(NAME SOURCES src... [CONFIG c]): a window test of the skin pair and its
# controls, linked with the tool's resources, saving screenshots into the build's screenshots
# folder.
function(skin_window_test name)
  cmake_parse_arguments(T "" "CONFIG" "SOURCES" ${ARGN})
  add_unit_test(${name} SOURCES ${T_SOURCES} $<TARGET_OBJECTS:tool_resources>
                LIBS skin_test_support CONFIG "${T_CONFIG}")
  if(NOT PROJECT_RUNS_TESTS)
    return()
  endif()
  get_test_property(${name} ENVIRONMENT environment)
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "${environment};SCREENSHOT_DIR=${CMAKE_BINARY_DIR}/screenshots")
endfunction()
