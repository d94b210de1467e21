# Cross build of the 32-bit plug-in with mingw-w64; tests run under wine32.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ZMS_MINGW_TRIPLET i686-w64-mingw32)
set(ZMS_WINE_ARCH win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
