# Cross build for 64-bit Windows with Debian's MinGW-w64.
set(VELQUIN_MINGW_PROCESSOR x86_64)
set(VELQUIN_WINE_ARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
