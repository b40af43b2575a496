# Cross build for 32-bit Windows (i686, PE) with Debian's mingw-w64: the program as shipped.
set(REELSCOUT_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run)
