# `cpack` in the build folder makes a Debian package of everything `cmake --install` puts in place.
# dpkg-shlibdeps (Debian's dpkg-dev) works out the libraries' packages. The Windows build makes an
# installer instead.
if(WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/WindowsInstaller.cmake)
    return()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tillora)
set(CPACK_PACKAGE_VENDOR "Tillora")
set(CPACK_PACKAGE_CONTACT "Tillora maintainers <maintainers@tillora.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tables of an electronic cash register: edit, send, report")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beyond the libraries: Qt's display plugins (in their own package on Debian), the fonts that
# stand in for "Courier New" and "Arial", and Qt's own dialogs in Bulgarian.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
# CPack indents the lines and marks the empty one; the summary above is the first line.
set(CPACK_PACKAGE_DESCRIPTION
    "Tillora keeps the programmable tables of an electronic cash register on the
computer: articles with their prices, tax groups and stock, operators,
subgroups and the receipt header lines. It sends them to the register over a
serial line, reads the register's report back and sends the receipt logo.

The package holds the desktop program (tillora), the command-line tool
(tillora-cli), a simulated register on a pseudo-terminal (tillora-ecr-sim)
and the user guide in Bulgarian.")

include(CPack)
