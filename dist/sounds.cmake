# The sounds of the program folder's Zvuky folder, synthesised at build time by our own generator.
add_executable(parblok_soundgen ${CMAKE_CURRENT_LIST_DIR}/soundgen/soundgen.cpp)
target_link_libraries(parblok_soundgen PRIVATE parblok_platform)

set(PARBLOK_SOUND_FILES)
foreach(name PomocnikStart PomocnikKonec Dialog Dotaz Info Level)
    list(APPEND PARBLOK_SOUND_FILES ${PARBLOK_PROGRAM_DIR}/Zvuky/${name}.wav)
endforeach()
add_custom_command(OUTPUT ${PARBLOK_SOUND_FILES}
    COMMAND parblok_soundgen ${PARBLOK_PROGRAM_DIR}/Zvuky
    DEPENDS parblok_soundgen
    COMMENT "Synthesising the sounds into Zvuky"
    VERBATIM)
add_custom_target(parblok_sounds ALL DEPENDS ${PARBLOK_SOUND_FILES})
