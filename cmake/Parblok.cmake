# Helpers shared by the libraries, tests and benchmarks.

# parblok_library(<name> [PRIVATE_HEADERS] [LIBS <targets>...])
# A static library made of every source and header in the calling folder (but the program's
# main.cpp). Sources are collected so that new units need no edit here. The folder is on the
# include path of every target linking the library, unless PRIVATE_HEADERS keeps it to the library
# (the top floor, which nothing above uses).
function(parblok_library name)
    cmake_parse_arguments(ARG "PRIVATE_HEADERS" "" "LIBS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
    add_library(${name} STATIC ${sources})
    if(ARG_PRIVATE_HEADERS)
        target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    else()
        target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    endif()
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
endfunction()

# parblok_tests([LIBS <targets>...])
# One Qt Test executable per tst_*.cpp in the calling folder, registered with CTest.
# Widget tests run on the offscreen platform with a private runtime folder.
function(parblok_tests)
    cmake_parse_arguments(ARG "" "" "LIBS;LABELS" ${ARGN})
    file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp)
    foreach(src IN LISTS tests)
        get_filename_component(name ${src} NAME_WE)
        add_executable(${name} ${src})
        target_link_libraries(${name} PRIVATE parblok_testsupport ${ARG_LIBS})
        add_test(NAME ${name} COMMAND ${name})
        set_tests_properties(${name} PROPERTIES
            ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${CMAKE_BINARY_DIR}/xdg-runtime;PARBLOK_SOURCE_DIR=${CMAKE_SOURCE_DIR};PARBLOK_PROGRAM_DIR=${PARBLOK_PROGRAM_DIR}"
            LABELS "${ARG_LABELS}"
            TIMEOUT 300)
    endforeach()
endfunction()

# Screen tests marked SECOND_DESKTOP run a second time, as <name>_<manager>, under this window
# manager with the GNOME look (XDG_CURRENT_DESKTOP=GNOME); empty: only under Openbox.
set(PARBLOK_SECOND_DESKTOP_WM "xfwm4" CACHE STRING
    "Window manager of the screen tests' second run: metacity, xfwm4 or empty for none")

# parblok_screen_test(<name> <script> <program> <timeout> [SECOND_DESKTOP])
# A test on a virtual X display: `script` (in the calling folder) gets `program` (the executable or
# the program folder) and a work folder of its own; it exits 77 when a display tool is missing.
# SECOND_DESKTOP registers it once more under PARBLOK_SECOND_DESKTOP_WM (scripts that start their
# desktop through tests/common/desktop.sh).
function(parblok_screen_test name script program timeout)
    cmake_parse_arguments(ARG "SECOND_DESKTOP" "" "" ${ARGN})
    add_test(NAME ${name}
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/${script} ${program} ${CMAKE_CURRENT_BINARY_DIR}/${name})
    set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT ${timeout} LABELS "xvfb")
    if(ARG_SECOND_DESKTOP AND PARBLOK_SECOND_DESKTOP_WM)
        set(second ${name}_${PARBLOK_SECOND_DESKTOP_WM})
        add_test(NAME ${second}
            COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/${script} ${program} ${CMAKE_CURRENT_BINARY_DIR}/${second})
        set_tests_properties(${second} PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT ${timeout}
            LABELS "xvfb"
            ENVIRONMENT "PARBLOK_WM=${PARBLOK_SECOND_DESKTOP_WM};XDG_CURRENT_DESKTOP=GNOME")
    endif()
endfunction()

# parblok_look_test(<test>)
# Runs the window test <test> once more, as <test>_gnome, on a virtual X display with the GNOME
# look of the desktops that set XDG_CURRENT_DESKTOP=GNOME (or XFCE, MATE …), where Enter and Space
# press the focused button or check box.
function(parblok_look_test name)
    add_test(NAME ${name}_gnome
        COMMAND sh -c "command -v xvfb-run >/dev/null || exit 77; exec xvfb-run -a -s '-screen 0 1024x768x24' \"$0\""
            $<TARGET_FILE:${name}>)
    set_tests_properties(${name}_gnome PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=xcb;XDG_CURRENT_DESKTOP=GNOME;XDG_RUNTIME_DIR=${CMAKE_BINARY_DIR}/xdg-runtime;PARBLOK_SOURCE_DIR=${CMAKE_SOURCE_DIR};PARBLOK_PROGRAM_DIR=${PARBLOK_PROGRAM_DIR}"
        SKIP_RETURN_CODE 77 LABELS "xvfb" TIMEOUT 300)
endfunction()
