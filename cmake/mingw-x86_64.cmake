# Cross build for 64-bit Windows (x86_64, PE32+) with Debian's mingw-w64, from the same sources.
set(REELSCOUT_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# Build-time tools and tests run under the 64-bit Wine loader in the project's 64-bit prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/bin/env;REELSCOUT_TARGET=64;${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run)
