# What both cross builds share; the target's file sets REELSCOUT_MINGW_ARCH (i686 or x86_64) first.
# The -posix variants are needed: the -win32 ones have no std::thread/std::mutex, and Boost.Regex
# then wants a compiled library.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${REELSCOUT_MINGW_ARCH})
set(CMAKE_C_COMPILER ${REELSCOUT_MINGW_ARCH}-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER ${REELSCOUT_MINGW_ARCH}-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER ${REELSCOUT_MINGW_ARCH}-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${REELSCOUT_MINGW_ARCH}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
