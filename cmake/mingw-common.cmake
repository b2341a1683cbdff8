# What both MinGW-w64 toolchains share; the toolchain file sets VELQUIN_MINGW_PROCESSOR (i686 or x86_64)
# and VELQUIN_WINE_ARCH (win32 or win64). The posix thread model: GoogleTest needs std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${VELQUIN_MINGW_PROCESSOR})

set(CMAKE_C_COMPILER   ${VELQUIN_MINGW_PROCESSOR}-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER ${VELQUIN_MINGW_PROCESSOR}-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER  ${VELQUIN_MINGW_PROCESSOR}-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VELQUIN_MINGW_PROCESSOR}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Wine-tier tests run through this wrapper (private prefix of the build's architecture, Xvfb, timeout).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tests/wine/wine-run ${VELQUIN_WINE_ARCH})
