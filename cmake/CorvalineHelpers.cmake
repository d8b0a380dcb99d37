# Folders are filled in step by step; a folder without its CMakeLists.txt is skipped.
function(corvaline_add_subdir_if_present dir)
  if(EXISTS "${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt")
    add_subdirectory(${dir})
  endif()
endfunction()

# corvaline_add_test(NAME name SOURCES ... LIBS ... [ENV ...])
# One GoogleTest executable, its cases registered with ctest one by one.
function(corvaline_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} corvaline_test_main)
  target_compile_definitions(${T_NAME} PRIVATE
    CORVALINE_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
    CORVALINE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  # A Windows program built here cannot run at build time; scripts/test-wine
  # runs the suites under Wine instead.
  if(CMAKE_CROSSCOMPILING)
    return()
  endif()
  # Several variables must reach ENVIRONMENT as one list value.
  string(REPLACE ";" "\\;" _env "${T_ENV}")
  gtest_discover_tests(${T_NAME} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "${_env}")
endfunction()
