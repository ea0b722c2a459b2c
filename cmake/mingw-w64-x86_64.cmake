# Cross-builds the core, tillora-cli and the unit tests for 64-bit Windows with Debian's
# MinGW-w64 (posix threads, for std::thread and std::mutex). The programs are linked statically,
# so that a lone .exe runs under Wine or on a Windows PC without MinGW's DLLs beside it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_triplet x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triplet}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# pkg-config must not offer the build machine's Linux libraries (liborcus, libxlsxwriter): only
# what is installed for MinGW counts, and without them the program says it cannot read workbooks.
set(ENV{PKG_CONFIG_LIBDIR} /usr/${mingw_triplet}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")

# Tests and test discovery run the Windows programs under Wine.
find_program(TILLORA_WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(TILLORA_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${TILLORA_WINE})
endif()
