# `cpack` in the Windows build makes tillora-<version>-win64.exe with NSIS (Debian's nsis,
# makensis): the window, tillora-cli, the Qt libraries and plugins, MinGW's runtime and Qt's
# Bulgarian texts (cmake/WindowsRuntime.cmake), the default logos in bin\EcrLogo and the user guide.
# It installs into Program Files\Tillora with a Start menu folder, and is silent with /S. The
# uninstaller removes exactly the files it installed: the settings, the tables and anything else
# the user keeps there stay.

set(CPACK_GENERATOR NSIS)
set(CPACK_PACKAGE_NAME Tillora)
set(CPACK_PACKAGE_VENDOR Tillora)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tables of an electronic cash register: edit, send, report")
set(CPACK_PACKAGE_FILE_NAME tillora-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Tillora)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Tillora)
# The Start menu entries: the window, and the guide, which the help command opens too.
set(CPACK_PACKAGE_EXECUTABLES tillora Tillora)
set(CPACK_NSIS_MENU_LINKS share/doc/tillora/index.html "Tillora - user guide")

# A 64-bit installer for the 64-bit program: it also runs where Windows (or Wine) has no 32-bit
# part, and it is a Unicode one. zlib packs in a fraction of lzma's time, for a few MB more.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_COMPRESSOR zlib)
set(CPACK_NSIS_PACKAGE_NAME Tillora)
set(CPACK_NSIS_DISPLAY_NAME Tillora)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_INSTALLED_ICON_NAME bin\\\\tillora.exe)
set(CPACK_NSIS_MUI_FINISHPAGE_RUN tillora.exe)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/src/res/app/tillora.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/src/res/app/tillora.ico)
set(CPACK_NSIS_IGNORE_LICENSE_PAGE ON)
set(CPACK_NSIS_MODIFY_PATH OFF)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)

include(CPack)
