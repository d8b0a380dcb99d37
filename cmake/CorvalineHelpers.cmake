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

# corvaline_install_gzipped(FILE DESTINATION)
# Installs FILE (made in the build tree) as FILE.gz, as Debian wants manual
# pages and changelogs: gzip -9 without a name or time stamp, so two builds
# give the same bytes. Without gzip (a Windows host) FILE goes in plain.
function(corvaline_install_gzipped file destination)
  find_program(CORVALINE_GZIP gzip)
  if(NOT CORVALINE_GZIP)
    install(FILES ${file} DESTINATION ${destination})
    return()
  endif()
  add_custom_command(OUTPUT ${file}.gz COMMAND ${CORVALINE_GZIP} -9nkf ${file}
                     DEPENDS ${file} VERBATIM)
  file(RELATIVE_PATH _relative ${CMAKE_BINARY_DIR} ${file})
  string(MAKE_C_IDENTIFIER "gzip_${_relative}" _target)
  add_custom_target(${_target} ALL DEPENDS ${file}.gz)
  install(FILES ${file}.gz DESTINATION ${destination})
endfunction()

# corvaline_install_man_page(SOURCE)
# Fills in the version and date into <build>/man/manN/ (so man -l reads the
# page from the build tree) and installs it gzipped.
function(corvaline_install_man_page source)
  get_filename_component(_name ${source} NAME)
  string(REGEX REPLACE "^.*\\.([^.]+)$" "\\1" _section "${_name}")
  string(TIMESTAMP CORVALINE_MAN_DATE "%Y-%m-%d" UTC)
  set(_page ${CMAKE_BINARY_DIR}/man/man${_section}/${_name})
  configure_file(${source} ${_page} @ONLY)
  corvaline_install_gzipped(${_page} ${CMAKE_INSTALL_MANDIR}/man${_section})
endfunction()
