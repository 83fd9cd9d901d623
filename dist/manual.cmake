# The electronic manual's pages, their pictures and style sheet, copied into the program folder's
# Html/Parblok2000; a file is copied again whenever its source changes. The pages show the program
# picture too, which lives with the other window pictures.
set(PARBLOK_MANUAL_DIR ${PARBLOK_PROGRAM_DIR}/Html/Parblok2000)
file(GLOB PARBLOK_MANUAL_FILES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/manual/Parblok2000/*)
list(APPEND PARBLOK_MANUAL_FILES ${CMAKE_SOURCE_DIR}/src/forms/widgets/program.svg)
set(manual_outputs)
foreach(source IN LISTS PARBLOK_MANUAL_FILES)
    get_filename_component(name ${source} NAME)
    add_custom_command(OUTPUT ${PARBLOK_MANUAL_DIR}/${name}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PARBLOK_MANUAL_DIR}
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${PARBLOK_MANUAL_DIR}/${name}
        DEPENDS ${source}
        VERBATIM)
    list(APPEND manual_outputs ${PARBLOK_MANUAL_DIR}/${name})
endforeach()
add_custom_target(parblok_manual_pages ALL DEPENDS ${manual_outputs})
