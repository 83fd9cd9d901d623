# `cmake --install build --prefix ~/.local` installs the game for one player:
#   <prefix>/lib/parblok2000/          the whole program folder (the player's results and settings
#                                      stay there while the player can write it)
#   <prefix>/bin/parblok2000           a link to the program
#   <prefix>/share/applications/       the desktop entry, naming the installed program
#   <prefix>/share/icons/hicolor/      the program picture
#   <prefix>/share/metainfo/           the software centre's description
#   <prefix>/share/man/cs/man6/, man6/ the manual page, in Czech and in English
# A re-installation keeps the player's results table and settings. The Debian package puts the
# program folder and the link where Debian keeps games (PARBLOK_INSTALL_DIR, PARBLOK_BIN_DIR).
set(PARBLOK_INSTALL_DIR lib/parblok2000 CACHE STRING "Program folder, relative to the prefix")
set(PARBLOK_BIN_DIR bin CACHE STRING "Folder of the start command, relative to the prefix")
option(PARBLOK_INSTALL_STRIPPED "Strip the installed programs of their debugging information" ON)

# Stripped unless `cmake --install` was told otherwise (--strip sets this already).
install(CODE "
    if(NOT DEFINED CMAKE_INSTALL_DO_STRIP)
        set(CMAKE_INSTALL_DO_STRIP ${PARBLOK_INSTALL_STRIPPED})
    endif()")
install(TARGETS Parblok2000 ManualKvadr RUNTIME DESTINATION ${PARBLOK_INSTALL_DIR})
install(FILES ${PARBLOK_SOUND_FILES} DESTINATION ${PARBLOK_INSTALL_DIR}/Zvuky)
install(FILES ${PARBLOK_BLANK_PAIR} DESTINATION ${PARBLOK_INSTALL_DIR}/Data/Zaloha)
install(FILES ${PARBLOK_MANUAL_FILES} DESTINATION ${PARBLOK_INSTALL_DIR}/Html/Parblok2000)

install(FILES ${CMAKE_SOURCE_DIR}/src/forms/widgets/program.svg
    DESTINATION share/icons/hicolor/scalable/apps RENAME parblok2000.svg)
# The 48-pixel rendering the widget library makes of the same picture.
install(FILES ${CMAKE_BINARY_DIR}/src/widgets/art/widgets/program-48x48.png
    DESTINATION share/icons/hicolor/48x48/apps RENAME parblok2000.png)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/parblok2000.metainfo.xml DESTINATION share/metainfo)
# The manual page in Czech, and in English where no Czech locale is set.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/parblok2000.6 DESTINATION share/man/cs/man6)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/parblok2000.en.6 DESTINATION share/man/man6 RENAME parblok2000.6)

install(CODE "
    set(PARBLOK_INSTALL_DIR \"${PARBLOK_INSTALL_DIR}\")
    set(PARBLOK_BIN_DIR \"${PARBLOK_BIN_DIR}\")
    set(PARBLOK_BLANK_PAIR \"${PARBLOK_BLANK_PAIR}\")
    set(PARBLOK_SETTINGS_TEMPLATE \"${CMAKE_CURRENT_LIST_DIR}/../Kvadr.ini\")
    set(PARBLOK_DESKTOP_TEMPLATE \"${CMAKE_CURRENT_LIST_DIR}/parblok2000.desktop.in\")")
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/player-files.cmake)
