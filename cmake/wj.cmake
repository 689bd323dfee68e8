# wj_test(NAME SOURCES... LIBS ...): one QtTest executable registered with CTest,
# run headless with the program folder as its ProgramDir.
function(wj_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests
                        BUILD_RPATH "${WJ_PROGRAM_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;WJ_PROGRAM_DIR=${WJ_PROGRAM_DIR};${T_ENV}"
    TIMEOUT 600)
endfunction()
