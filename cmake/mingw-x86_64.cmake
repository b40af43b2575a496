# Cross build for 64-bit Windows (x86_64, PE32+) with Debian's mingw-w64, from the same sources
# as the 32-bit program. The -posix variants, for the same reason as on i686.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Build-time tools and tests run under the 64-bit Wine loader in the project's 64-bit prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/bin/env;REELSCOUT_TARGET=64;${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run)
