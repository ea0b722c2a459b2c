# What the Windows window needs beside tillora.exe to run on a PC without Qt or MinGW: the Qt
# libraries, the platform and style plugins, Qt's own texts in Bulgarian and MinGW's runtime, which
# the Qt libraries were linked against. They are copied into the build's bin/ (so that the window
# and its tests run from there under Wine) and installed beside the programs (so that the
# installer carries them). Qt's test library and the offscreen platform serve the tests only.

set(tillora_qt_bin ${QT_MINGW_DIR}/bin)
set(tillora_qt_plugins ${QT_MINGW_DIR}/plugins)
set(tillora_runtime_libraries
    ${tillora_qt_bin}/Qt6Core.dll ${tillora_qt_bin}/Qt6Gui.dll ${tillora_qt_bin}/Qt6Widgets.dll
    ${tillora_qt_bin}/Qt6PrintSupport.dll)
foreach(library libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${library}
        OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${found}" OR NOT EXISTS "${found}")
        message(FATAL_ERROR "MinGW's ${library} not found: the Qt libraries need it")
    endif()
    list(APPEND tillora_runtime_libraries ${found})
endforeach()
set(tillora_platform_plugins ${tillora_qt_plugins}/platforms/qwindows.dll)
set(tillora_style_plugins ${tillora_qt_plugins}/styles/qwindowsvistastyle.dll)
# Debian's qt6-translations-l10n: the same texts for every platform.
find_file(tillora_qt_texts qtbase_bg.qm PATHS /usr/share/qt6/translations NO_CACHE
    NO_CMAKE_FIND_ROOT_PATH)
if(NOT tillora_qt_texts)
    message(WARNING "qtbase_bg.qm not found (qt6-translations-l10n): Qt's dialogs stay in English")
endif()

set(tillora_test_libraries ${tillora_qt_bin}/Qt6Test.dll)
set(tillora_test_platforms ${tillora_qt_plugins}/platforms/qoffscreen.dll)

set(bin ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
set(copies)
macro(tillora_copy_runtime folder)
    foreach(file ${ARGN})
        get_filename_component(name ${file} NAME)
        list(APPEND copies ${bin}/${folder}${name})
        add_custom_command(OUTPUT ${bin}/${folder}${name}
            COMMAND ${CMAKE_COMMAND} -E copy_if_different ${file} ${bin}/${folder}${name}
            DEPENDS ${file} VERBATIM)
    endforeach()
endmacro()
tillora_copy_runtime("" ${tillora_runtime_libraries} ${tillora_test_libraries})
tillora_copy_runtime(platforms/ ${tillora_platform_plugins} ${tillora_test_platforms})
tillora_copy_runtime(styles/ ${tillora_style_plugins})
if(tillora_qt_texts)
    tillora_copy_runtime(translations/ ${tillora_qt_texts})
endif()
add_custom_target(tillora-qt-runtime ALL DEPENDS ${copies}
    COMMENT "Putting Qt and MinGW's runtime beside the Windows programs")

install(FILES ${tillora_runtime_libraries} DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${tillora_platform_plugins} DESTINATION ${CMAKE_INSTALL_BINDIR}/platforms)
install(FILES ${tillora_style_plugins} DESTINATION ${CMAKE_INSTALL_BINDIR}/styles)
if(tillora_qt_texts)
    install(FILES ${tillora_qt_texts} DESTINATION ${CMAKE_INSTALL_BINDIR}/translations)
endif()
