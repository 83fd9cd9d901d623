# The results table: blank pair in Data/Zaloha and, when the folder has none yet, the live pair in
# Data, written by the project's own table engine.
add_executable(parblok_blanktable ${CMAKE_SOURCE_DIR}/src/dbase/tools/MakeBlankTable.cpp)
target_link_libraries(parblok_blanktable PRIVATE parblok_dbase)

# The blank pair is what the build tracks (the program only reads it), so a program folder whose
# Data folder went missing gets both pairs again on the next build.
set(PARBLOK_BLANK_PAIR ${PARBLOK_PROGRAM_DIR}/Data/Zaloha/Parblok.dbf ${PARBLOK_PROGRAM_DIR}/Data/Zaloha/Parblok.Mdx)
add_custom_command(
    OUTPUT ${PARBLOK_BLANK_PAIR}
    COMMAND parblok_blanktable ${PARBLOK_PROGRAM_DIR}
    DEPENDS parblok_blanktable
    COMMENT "Writing the blank results table into ${PARBLOK_PROGRAM_DIR}/Data"
    VERBATIM)
add_custom_target(parblok_data ALL DEPENDS ${PARBLOK_BLANK_PAIR})
