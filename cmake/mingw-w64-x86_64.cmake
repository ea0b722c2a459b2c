# Cross-builds Tillora for 64-bit Windows with Debian's MinGW-w64 (posix threads, for std::thread
# and std::mutex). The programs are linked statically with the C and C++ runtimes, so that a lone
# tillora-cli.exe runs under Wine or on a Windows PC without MinGW's DLLs beside it.
# The window needs Qt built for MinGW; the first of these folders that holds one is used:
# the cache variable or environment variable QT_MINGW_DIR, ../shared/qt6-mingw-w64 beside the
# project, and the folder that scripts/build-qt-mingw.sh fills (~/.cache/tillora/qt6-mingw-w64).
# Without any, the core, tillora-cli and the unit tests are built and the window is not.
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

# Qt for MinGW. Its host tools (moc, rcc, uic) are the build machine's own Qt of the same version.
if(NOT QT_MINGW_DIR)
    foreach(candidate "$ENV{QT_MINGW_DIR}" "${CMAKE_CURRENT_LIST_DIR}/../../shared/qt6-mingw-w64"
                      "$ENV{HOME}/.cache/tillora/qt6-mingw-w64")
        if(candidate AND EXISTS "${candidate}/lib/cmake/Qt6/Qt6Config.cmake")
            get_filename_component(candidate "${candidate}" ABSOLUTE)
            set(QT_MINGW_DIR "${candidate}" CACHE PATH "Qt 6 built for MinGW-w64")
            break()
        endif()
    endforeach()
endif()
if(QT_MINGW_DIR)
    list(PREPEND CMAKE_FIND_ROOT_PATH "${QT_MINGW_DIR}")
    list(PREPEND CMAKE_PREFIX_PATH "${QT_MINGW_DIR}/lib/cmake")
    set(QT_HOST_PATH /usr)
    set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
endif()
