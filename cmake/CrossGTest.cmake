# GoogleTest for the cross build, compiled from Debian's sources (libgtest-dev
# ships them in /usr/src/googletest); the host's libraries cannot be linked
# into Windows programs.
set(CORVALINE_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for the cross build")
if(NOT EXISTS ${CORVALINE_GTEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest sources not found in ${CORVALINE_GTEST_SOURCE} (install libgtest-dev)")
endif()
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${CORVALINE_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# Its own warnings are not ours to mend. (It names its targets GTest::gtest and
# GTest::gtest_main itself.)
target_compile_options(gtest PRIVATE -w)
target_compile_options(gtest_main PRIVATE -w)
