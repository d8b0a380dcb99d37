# Folders are filled in step by step; a folder without its CMakeLists.txt is skipped.
function(corvaline_add_subdir_if_present dir)
  if(EXISTS "${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt")
    add_subdirectory(${dir})
  endif()
endfunction()

# corvaline_add_test(NAME name SOURCES ... LIBS ... [ENV ...] [TIMEOUT seconds]
#                    [PROPERTIES name value ...])
# One GoogleTest executable, its cases registered with ctest one by one and
# labelled with the executable's name (ctest -L test_gui_app runs its cases;
# -R matches the cases' own names only). Every
# case has a TIMEOUT (default 120 s: a sanitizer build on a loaded machine; a
# hung case then fails alone instead of stopping the run). PROPERTIES go to
# every case: RESOURCE_LOCK for what cases of several suites cannot share,
# PROCESSORS for the heavy ones, so that ctest -j2 and -j4 stay safe.
function(corvaline_add_test)
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS;ENV;PROPERTIES" ${ARGN})
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
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  set(_properties TIMEOUT ${T_TIMEOUT} LABELS ${T_NAME} ${T_PROPERTIES})
  if(T_ENV)
    # Several variables must reach ENVIRONMENT as one list value. An empty
    # one would take the next property's name as its value.
    string(REPLACE ";" "\\;" _env "${T_ENV}")
    list(PREPEND _properties ENVIRONMENT "${_env}")
  endif()
  gtest_discover_tests(${T_NAME} DISCOVERY_TIMEOUT 60 PROPERTIES ${_properties})
endfunction()
