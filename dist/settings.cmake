# The starting settings file of the program folder. The program writes to that file while it runs,
# so the template is laid down when the file is missing and replaces it only where it still holds
# the template's previous text; a file the program or the user has changed is kept.
set(PARBLOK_SETTINGS_FILE ${PARBLOK_PROGRAM_DIR}/Kvadr.ini)
add_custom_command(OUTPUT ${PARBLOK_SETTINGS_FILE}
    COMMAND ${CMAKE_COMMAND}
        -DTEMPLATE=${CMAKE_CURRENT_LIST_DIR}/Kvadr.ini
        -DTARGET=${PARBLOK_SETTINGS_FILE}
        -DSHIPPED=${CMAKE_CURRENT_BINARY_DIR}/Kvadr.ini.shipped
        -P ${CMAKE_CURRENT_LIST_DIR}/settings/install-settings.cmake
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/Kvadr.ini ${CMAKE_CURRENT_LIST_DIR}/settings/install-settings.cmake
    COMMENT "Laying down Kvadr.ini"
    VERBATIM)
add_custom_target(parblok_settings_file ALL DEPENDS ${PARBLOK_SETTINGS_FILE})
