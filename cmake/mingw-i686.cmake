# Cross build for 32-bit Windows with Debian's MinGW-w64.
set(VELQUIN_MINGW_PROCESSOR i686)
set(VELQUIN_WINE_ARCH win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
