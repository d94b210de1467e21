# Cross build of the 64-bit plug-in with mingw-w64; tests run under wine64.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZMS_MINGW_TRIPLET x86_64-w64-mingw32)
set(ZMS_WINE_ARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
