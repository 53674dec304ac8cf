# Test registration shared by every folder.
#
# add_unit_test(NAME SOURCES src... [LIBS lib...] [CONFIG wineconfig] [LABELS label...]
#               [NO_DISPLAY])
#   A GoogleTest program. In the 64-bit Windows build it runs under Wine (the emulator wrapper
#   cmake/wine-run gives it the shared prefix and display); CONFIG picks another prefix
#   (win81, dpi120, dpi144), made on first use. In the 32-bit build it is only compiled.
#   Window tests move the one pointer and take the foreground, so they run one at a time;
#   NO_DISPLAY marks a test that shows nothing and may run beside them.
function(add_unit_test name)
  cmake_parse_arguments(T "NO_DISPLAY" "CONFIG" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  if(PROJECT_RUNS_TESTS)
    add_test(NAME ${name} COMMAND ${name})
    if(T_NO_DISPLAY)
      set(no_display NO_DISPLAY)
    endif()
    wine_test_properties(${name} CONFIG "${T_CONFIG}" LABELS "${T_LABELS}" ${no_display})
  endif()
endfunction()

# wine_test_properties(TEST [CONFIG c] [LABELS l...] [NO_DISPLAY]): environment of a test run
# under Wine.
function(wine_test_properties test)
  cmake_parse_arguments(T "NO_DISPLAY" "CONFIG" "LABELS" ${ARGN})
  if(NOT WIN32)
    return()
  endif()
  set(config "${T_CONFIG}")
  if(NOT config)
    set(config win10)
  endif()
  # Stand-ins for powershell, wusa and timeout lie in this folder; cmake/wine-run puts them in the
  # prefix's system folder, where the tool's command interpreter finds them first.
  set_tests_properties(${test} PROPERTIES
    ENVIRONMENT "WINE_TEST_CONFIG=${config};WINE_TEST_PATH=${CMAKE_BINARY_DIR}/standins;WINE_RUN_TIMEOUT=570"
    FIXTURES_REQUIRED wine_env
    TIMEOUT 600)
  if(NOT T_NO_DISPLAY)
    set_tests_properties(${test} PROPERTIES RESOURCE_LOCK wine_display)
  endif()
  if(T_LABELS)
    set_tests_properties(${test} PROPERTIES LABELS "${T_LABELS}")
  endif()
endfunction()
