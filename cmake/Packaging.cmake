# The portable program folder as an archive: `cpack -G TGZ` on Linux, `cpack -G ZIP` on Windows, from the
# build folder. The archive holds one folder with the program, the teachers' tool when it is built, the
# sample bases and the About text; on Linux also the desktop files and their installer, on Windows the Qt
# and compiler DLLs the programs load. Qt is not packed for Linux: the distributions ship it.

install(TARGETS zorvanta-test RUNTIME DESTINATION .)
if(TARGET zorvanta-base)
    install(TARGETS zorvanta-base RUNTIME DESTINATION .)
endif()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/Tests/ DESTINATION Tests FILES_MATCHING PATTERN "*.bse")
install(FILES ${PROJECT_SOURCE_DIR}/AboutTest.txt DESTINATION .)

if(WIN32)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/windows/qt.conf "${PROJECT_SOURCE_DIR}/packaging/windows/ПРОЧТИ.txt"
            DESTINATION .)
    # Qt's own Russian texts (the text boxes' menus): the program loads qtbase_ru.qm by that name. A Qt
    # built without its translations (the cross build's) takes the build machine's: they are the same on
    # every platform.
    find_file(ZT_QTBASE_RU qtbase_ru.qm
              PATHS "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_TRANSLATIONS}" /usr/share/qt6/translations
              NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
    install(FILES "${ZT_QTBASE_RU}" DESTINATION translations)
    # The plugins the windows need: the platform itself and its native look.
    install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
    install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)
    set(_binaries "\${CMAKE_INSTALL_PREFIX}/zorvanta-test.exe"
                  "\${CMAKE_INSTALL_PREFIX}/platforms/$<TARGET_FILE_NAME:Qt6::QWindowsIntegrationPlugin>"
                  "\${CMAKE_INSTALL_PREFIX}/styles/$<TARGET_FILE_NAME:Qt6::QWindowsVistaStylePlugin>")
    if(TARGET zorvanta-base)
        list(APPEND _binaries "\${CMAKE_INSTALL_PREFIX}/zorvanta-base.exe")
    endif()
    # The compiler's runtime DLLs, where the compiler keeps them (MinGW).
    set(_dll_dirs "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}")
    if(MINGW)
        foreach(_runtime libstdc++-6.dll libwinpthread-1.dll)
            execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${_runtime}
                            OUTPUT_VARIABLE _path OUTPUT_STRIP_TRAILING_WHITESPACE)
            get_filename_component(_path "${_path}" DIRECTORY)
            list(APPEND _dll_dirs "${_path}")
        endforeach()
    endif()
    if(CMAKE_CROSSCOMPILING)
        set(ZT_SYSTEM_DLL_DIR /usr/lib/x86_64-linux-gnu/wine/x86_64-windows CACHE PATH
            "Copies of the Windows system DLLs (Wine's), which the archive leaves out")
    else()
        file(TO_CMAKE_PATH "$ENV{SystemRoot}/System32" ZT_SYSTEM_DLL_DIR)
    endif()
    install(CODE "
        set(ZT_BINARIES \"${_binaries}\")
        set(ZT_DLL_DIRS \"${_dll_dirs}\")
        set(ZT_SYSTEM_DLL_DIR \"${ZT_SYSTEM_DLL_DIR}\")
        set(ZT_LOOKUP_DIR \"${CMAKE_BINARY_DIR}/dll-lookup\")
        set(ZT_STRIP \"${CMAKE_STRIP}\")
        include(\"${PROJECT_SOURCE_DIR}/cmake/WindowsRuntime.cmake\")")
    set(CPACK_GENERATOR ZIP)
elseif(UNIX AND NOT APPLE)
    install(PROGRAMS ${PROJECT_SOURCE_DIR}/scripts/install-desktop.sh DESTINATION .)
    install(FILES "${PROJECT_SOURCE_DIR}/packaging/linux/ПРОЧТИ.txt" DESTINATION .)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/linux/zorvanta-test.desktop
                  ${PROJECT_SOURCE_DIR}/packaging/linux/zorvanta-test.xml DESTINATION desktop)
    install(DIRECTORY ${ZT_HICOLOR_DIR}/ DESTINATION desktop/icons/hicolor)
    set(CPACK_GENERATOR TGZ)
endif()

set(CPACK_PACKAGE_NAME zorvanta-test)
set(CPACK_PACKAGE_VENDOR "Zorvanta Test")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Multiple-choice tests from test bases")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_SYSTEM_NAME ${CMAKE_SYSTEM_NAME})
if(WIN32)
    set(CPACK_SYSTEM_NAME win64)
endif()
set(CPACK_STRIP_FILES ON)
include(CPack)
