# The portable program folder as an archive: `cpack -G TGZ` on Linux, `cpack -G ZIP` on Windows, from the
# build folder. The archive holds one folder with the program, the teachers' tool when it is built, the
# sample bases and the About text; on Linux also the desktop files and their installer, on Windows the Qt
# libraries that windeployqt gathers. Qt is not packed for Linux: the distributions ship it.

install(TARGETS zorvanta-test RUNTIME DESTINATION .)
if(TARGET zorvanta-base)
    install(TARGETS zorvanta-base RUNTIME DESTINATION .)
endif()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/Tests/ DESTINATION Tests FILES_MATCHING PATTERN "*.bse")
install(FILES ${PROJECT_SOURCE_DIR}/AboutTest.txt DESTINATION .)

if(WIN32)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/windows/qt.conf DESTINATION .)
    # Qt's own Russian texts (the text boxes' menus): the program loads qtbase_ru.qm by that name.
    install(FILES "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_TRANSLATIONS}/qtbase_ru.qm" DESTINATION translations OPTIONAL)
    find_program(ZT_WINDEPLOYQT windeployqt HINTS "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}" REQUIRED)
    set(_programs "\${CMAKE_INSTALL_PREFIX}/zorvanta-test.exe")
    if(TARGET zorvanta-base)
        string(APPEND _programs ";\${CMAKE_INSTALL_PREFIX}/zorvanta-base.exe")
    endif()
    install(CODE "
        foreach(program ${_programs})
            execute_process(COMMAND \"${ZT_WINDEPLOYQT}\" --no-system-d3d-compiler --no-opengl-sw
                                    --translations ru \"\${program}\"
                            RESULT_VARIABLE status)
            if(NOT status EQUAL 0)
                message(FATAL_ERROR \"windeployqt failed on \${program}\")
            endif()
        endforeach()")
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
