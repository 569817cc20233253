# tessaly_add_test(NAME name SOURCES files... [LIBS targets...] [SERIAL] [SCREEN] [ENV vars...])
# A GoogleTest executable for Windows, run by ctest under Wine through
# scripts/wine-run.sh. SERIAL marks tests that share the registry settings,
# the desktop values or the single-instance name: they never run at once.
# SCREEN marks tests that read the screen's pixels or move the pointer: a
# window of another test, or a pointer moved by one, would spoil them.
function(tessaly_add_test)
  cmake_parse_arguments(T "SERIAL;SCREEN" "NAME" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  tessaly_warnings(${T_NAME})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} gtest_main)
  add_test(NAME ${T_NAME} COMMAND ${T_NAME} WORKING_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT 300)
  set(locks)
  if(T_SERIAL)
    list(APPEND locks tessaly_shared_state)
  endif()
  if(T_SCREEN)
    list(APPEND locks tessaly_screen)
  endif()
  if(locks)
    set_tests_properties(${T_NAME} PROPERTIES RESOURCE_LOCK "${locks}")
  endif()
  if(T_ENV)
    set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "${T_ENV}")
  endif()
endfunction()
