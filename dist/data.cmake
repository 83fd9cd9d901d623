# The results table: blank pair in Data/Zaloha and, when the folder has none yet, the live pair in
# Data, written by the project's own table engine.
add_executable(parblok_blanktable ${CMAKE_SOURCE_DIR}/src/dbase/tools/MakeBlankTable.cpp)
target_link_libraries(parblok_blanktable PRIVATE parblok_dbase)

set(PARBLOK_DATA_STAMP ${CMAKE_CURRENT_BINARY_DIR}/results-table.stamp)
add_custom_command(
    OUTPUT ${PARBLOK_DATA_STAMP}
    COMMAND parblok_blanktable ${PARBLOK_PROGRAM_DIR}
    COMMAND ${CMAKE_COMMAND} -E touch ${PARBLOK_DATA_STAMP}
    DEPENDS parblok_blanktable
    COMMENT "Writing the blank results table into ${PARBLOK_PROGRAM_DIR}/Data"
    VERBATIM)
add_custom_target(parblok_data ALL DEPENDS ${PARBLOK_DATA_STAMP})
