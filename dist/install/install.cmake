# `cmake --install build --prefix ~/.local` installs the game for one player:
#   <prefix>/lib/parblok2000/          the whole program folder (the program writes its results and
#                                      settings there, so the prefix must be one the player can write to)
#   <prefix>/bin/parblok2000           a link to the program
#   <prefix>/share/applications/       the desktop entry, naming the installed program
#   <prefix>/share/icons/hicolor/      the program picture
# A re-installation keeps the player's results table and settings.
set(PARBLOK_INSTALL_DIR lib/parblok2000)

install(TARGETS Parblok2000 ManualKvadr RUNTIME DESTINATION ${PARBLOK_INSTALL_DIR})
install(FILES ${PARBLOK_SOUND_FILES} DESTINATION ${PARBLOK_INSTALL_DIR}/Zvuky)
install(FILES ${PARBLOK_BLANK_PAIR} DESTINATION ${PARBLOK_INSTALL_DIR}/Data/Zaloha)
install(FILES ${PARBLOK_MANUAL_FILES} DESTINATION ${PARBLOK_INSTALL_DIR}/Html/Parblok2000)

install(FILES ${CMAKE_SOURCE_DIR}/src/forms/widgets/program.svg
    DESTINATION share/icons/hicolor/scalable/apps RENAME parblok2000.svg)
# The 48-pixel rendering the widget library makes of the same picture.
install(FILES ${CMAKE_BINARY_DIR}/src/widgets/art/widgets/program-48x48.png
    DESTINATION share/icons/hicolor/48x48/apps RENAME parblok2000.png)

install(CODE "
    set(PARBLOK_INSTALL_DIR \"${PARBLOK_INSTALL_DIR}\")
    set(PARBLOK_BLANK_PAIR \"${PARBLOK_BLANK_PAIR}\")
    set(PARBLOK_SETTINGS_TEMPLATE \"${CMAKE_CURRENT_LIST_DIR}/../Kvadr.ini\")
    set(PARBLOK_DESKTOP_TEMPLATE \"${CMAKE_CURRENT_LIST_DIR}/parblok2000.desktop.in\")")
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/player-files.cmake)
