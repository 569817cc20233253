# tessaly_add_test(NAME name SOURCES files... [LIBS targets...] [SERIAL] [ENV vars...])
# A GoogleTest executable for Windows, run by ctest under Wine through
# scripts/wine-run.sh. SERIAL marks tests that share the registry settings,
# the desktop values or the single-instance name: they never run at once.
function(tessaly_add_test)
  cmake_parse_arguments(T "SERIAL" "NAME" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  tessaly_warnings(${T_NAME})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} gtest_main)
  add_test(NAME ${T_NAME} COMMAND ${T_NAME} WORKING_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT 300)
  if(T_SERIAL)
    set_tests_properties(${T_NAME} PROPERTIES RESOURCE_LOCK tessaly_shared_state)
  endif()
  if(T_ENV)
    set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "${T_ENV}")
  endif()
endfunction()
