# Test registration shared by every folder.
#
# add_unit_test(NAME SOURCES src... [LIBS lib...] [CONFIG wineconfig] [LABELS label...])
#   A GoogleTest program. In the 64-bit Windows build it runs under Wine (the emulator wrapper
#   cmake/wine-run gives it the shared prefix and display); CONFIG picks another prefix
#   (win81, dpi120, dpi144), made on first use. In the 32-bit build it is only compiled.
function(add_unit_test name)
  cmake_parse_arguments(T "" "CONFIG" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  if(PROJECT_RUNS_TESTS)
    add_test(NAME ${name} COMMAND ${name})
    wine_test_properties(${name} CONFIG "${T_CONFIG}" LABELS "${T_LABELS}")
  endif()
endfunction()

# wine_test_properties(TEST [CONFIG c] [LABELS l...]): environment of a test run under Wine.
function(wine_test_properties test)
  cmake_parse_arguments(T "" "CONFIG" "LABELS" ${ARGN})
  if(NOT WIN32)
    return()
  endif()
  set(config "${T_CONFIG}")
  if(NOT config)
    set(config win10)
  endif()
  # Stand-ins for powershell and wusa lie in this folder, searched before Wine's own programs.
  set_tests_properties(${test} PROPERTIES
    ENVIRONMENT "WINE_TEST_CONFIG=${config};WINE_TEST_PATH=${CMAKE_BINARY_DIR}/standins"
    FIXTURES_REQUIRED wine_env
    TIMEOUT 600)
  if(T_LABELS)
    set_tests_properties(${test} PROPERTIES LABELS "${T_LABELS}")
  endif()
endfunction()
