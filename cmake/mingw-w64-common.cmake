# Shared part of the two mingw-w64 toolchain files. The including file sets
# ZMS_MINGW_TRIPLET (x86_64-w64-mingw32 or i686-w64-mingw32), ZMS_WINE_ARCH
# (win64 or win32) and CMAKE_SYSTEM_PROCESSOR first.
set(CMAKE_SYSTEM_NAME Windows)

# The -posix variants: std::thread, std::mutex and friends need winpthreads.
set(CMAKE_C_COMPILER ${ZMS_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZMS_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ZMS_MINGW_TRIPLET}-windres)

# Libraries and headers come only from the mingw sysroot; programs run at build
# time come from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${ZMS_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything we ship or test runs without the mingw runtime DLLs beside it.
set(ZMS_MINGW_STATIC_LINK "-static -static-libgcc -static-libstdc++")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${ZMS_MINGW_STATIC_LINK}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${ZMS_MINGW_STATIC_LINK}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${ZMS_MINGW_STATIC_LINK}")

# ctest and add_custom_command run the .exe files under wine, in a prefix of
# this build tree's own (created on first use by the wrapper).
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh --prefix ${CMAKE_BINARY_DIR}/wineprefix
    --arch ${ZMS_WINE_ARCH})
