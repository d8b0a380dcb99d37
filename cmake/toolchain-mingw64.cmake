# Cross-compiling for 64-bit Windows with mingw-w64 (the posix thread model,
# so std::thread and std::mutex are available).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CORVALINE_MINGW_PREFIX x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${CORVALINE_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CORVALINE_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${CORVALINE_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${CORVALINE_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# GCC 12 at -O2 reports impossible overlaps inside libstdc++'s own
# std::string code (GCC bug 105329); the warning says nothing about ours.
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")

# Programs carry their runtime (libstdc++, libgcc, winpthread) inside, so they
# run under Wine and on a bare Windows without DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
