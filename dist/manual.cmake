# The electronic manual's pages (and their pictures and style sheet), copied into the program
# folder's Html/Parblok2000; a page is copied again whenever its source changes.
set(PARBLOK_MANUAL_SOURCE ${CMAKE_CURRENT_LIST_DIR}/manual/Parblok2000)
set(PARBLOK_MANUAL_DIR ${PARBLOK_PROGRAM_DIR}/Html/Parblok2000)
file(GLOB manual_files CONFIGURE_DEPENDS RELATIVE ${PARBLOK_MANUAL_SOURCE} ${PARBLOK_MANUAL_SOURCE}/*)
set(manual_outputs)
foreach(name IN LISTS manual_files)
    add_custom_command(OUTPUT ${PARBLOK_MANUAL_DIR}/${name}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PARBLOK_MANUAL_DIR}
        COMMAND ${CMAKE_COMMAND} -E copy ${PARBLOK_MANUAL_SOURCE}/${name} ${PARBLOK_MANUAL_DIR}/${name}
        DEPENDS ${PARBLOK_MANUAL_SOURCE}/${name}
        VERBATIM)
    list(APPEND manual_outputs ${PARBLOK_MANUAL_DIR}/${name})
endforeach()
add_custom_target(parblok_manual_pages ALL DEPENDS ${manual_outputs})
