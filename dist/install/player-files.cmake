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

# A value of the desktop entry as its string type writes it: backslashes doubled, line breaks and
# tabs as escapes, a leading blank as "\s".
function(desktop_string text result)
    string(REPLACE "\\" "\\\\" text "${text}")
    string(REPLACE "\n" "\\n" text "${text}")
    string(REPLACE "\t" "\\t" text "${text}")
    string(REPLACE "\r" "\\r" text "${text}")
    string(REGEX REPLACE "^ " "\\\\s" text "${text}")
    set(${result} "${text}" PARENT_SCOPE)
endfunction()
# A path as one argument of Exec: in double quotes, with ", `, $ and \ escaped inside them and
# % doubled (it starts field codes), then written as a string.
function(desktop_exec_argument path result)
    string(REPLACE "\\" "\\\\" path "${path}")
    foreach(reserved "\"" "`" "$")
        string(REPLACE "${reserved}" "\\${reserved}" path "${path}")
    endforeach()
    string(REPLACE "%" "%%" path "${path}")
    desktop_string("\"${path}\"" quoted)
    set(${result} "${quoted}" PARENT_SCOPE)
endfunction()

# The entry names the program as the installed system sees it, without DESTDIR, and by an
# absolute path whatever prefix was given.
get_filename_component(installed_prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE BASE_DIR "$ENV{PWD}")
set(program_folder "${installed_prefix}/${PARBLOK_INSTALL_DIR}")
desktop_exec_argument("${program_folder}/Parblok2000" PARBLOK_DESKTOP_EXEC)
desktop_string("${program_folder}/Parblok2000" PARBLOK_DESKTOP_TRYEXEC)
desktop_string("${program_folder}" PARBLOK_DESKTOP_PATH)
set(entry "${prefix}/share/applications/parblok2000.desktop")
message(STATUS "Installing: ${entry}")
configure_file("${PARBLOK_DESKTOP_TEMPLATE}" "${entry}" @ONLY)

# The launcher and the entry belong to the installation; the player's files do not.
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${launcher}" "${entry}")
