# Part of `cmake --install`: the player's files of the program folder, laid down only where absent,
# and the launcher and desktop entry, which name the installed program by its path.
cmake_policy(VERSION 3.25)
set(prefix "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(folder "${prefix}/${PARBLOK_INSTALL_DIR}")

# The results table: a new installation starts from the blank pair. An existing table is the
# player's; one with a file missing is left for the player to repair (replacing only one file
# would pair the table with an index that does not describe it).
list(GET PARBLOK_BLANK_PAIR 0 blank_table)
list(GET PARBLOK_BLANK_PAIR 1 blank_index)
set(table "${folder}/Data/Parblok.dbf")
set(index "${folder}/Data/Parblok.mdx")
if(NOT EXISTS "${table}" AND NOT EXISTS "${index}")
    message(STATUS "Installing: ${table}, ${index} (blank)")
    file(COPY_FILE "${blank_table}" "${table}")
    file(COPY_FILE "${blank_index}" "${index}")
elseif(EXISTS "${table}" AND EXISTS "${index}")
    message(STATUS "Kept the player's results: ${table}")
else()
    message(WARNING "The results table in ${folder}/Data lacks Parblok.dbf or Parblok.mdx and is "
        "left as it is. To start an empty table, copy Data/Zaloha/Parblok.dbf and "
        "Data/Zaloha/Parblok.Mdx to Data/Parblok.dbf and Data/Parblok.mdx.")
endif()

set(settings "${folder}/Kvadr.ini")
if(NOT EXISTS "${settings}")
    message(STATUS "Installing: ${settings}")
    file(COPY_FILE "${PARBLOK_SETTINGS_TEMPLATE}" "${settings}")
else()
    message(STATUS "Kept the player's settings: ${settings}")
endif()

set(launcher "${prefix}/${PARBLOK_BIN_DIR}/parblok2000")
message(STATUS "Installing: ${launcher}")
file(MAKE_DIRECTORY "${prefix}/${PARBLOK_BIN_DIR}")
file(RELATIVE_PATH link_target "/${PARBLOK_BIN_DIR}" "/${PARBLOK_INSTALL_DIR}/Parblok2000")
file(CREATE_LINK "${link_target}" "${launcher}" SYMBOLIC)

# The entry names the program as the installed system sees it, without DESTDIR, and by an
# absolute path whatever prefix was given.
include("${CMAKE_CURRENT_LIST_DIR}/desktop-entry.cmake")
get_filename_component(installed_prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE BASE_DIR "$ENV{PWD}")
set(entry "${prefix}/share/applications/parblok2000.desktop")
message(STATUS "Installing: ${entry}")
parblok_desktop_entry("${PARBLOK_DESKTOP_TEMPLATE}" "${installed_prefix}/${PARBLOK_INSTALL_DIR}" "${entry}")

# The launcher and the entry belong to the installation; the player's files do not.
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${launcher}" "${entry}")
