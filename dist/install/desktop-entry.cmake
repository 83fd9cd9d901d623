# The desktop entry of an installed program folder. Included by the installation, or run alone:
#   cmake -DTEMPLATE=<entry template> -DPROGRAM_FOLDER=<absolute folder> -DENTRY=<entry> -P desktop-entry.cmake
# for instance for a program folder moved to a path that CMake cannot install into (CMake's file
# installation takes a backslash for a path separator).

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

# Writes `entry` from `template` for the program in `program_folder`.
function(parblok_desktop_entry template program_folder entry)
    desktop_exec_argument("${program_folder}/Parblok2000" PARBLOK_DESKTOP_EXEC)
    desktop_string("${program_folder}/Parblok2000" PARBLOK_DESKTOP_TRYEXEC)
    desktop_string("${program_folder}" PARBLOK_DESKTOP_PATH)
    configure_file("${template}" "${entry}" @ONLY)
endfunction()

if(DEFINED ENTRY AND CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
    parblok_desktop_entry("${TEMPLATE}" "${PROGRAM_FOLDER}" "${ENTRY}")
endif()
