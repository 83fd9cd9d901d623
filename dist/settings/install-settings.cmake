# cmake -DTEMPLATE=<template> -DTARGET=<settings file> -DSHIPPED=<copy of what was laid down> -P ...
# Lays the template down as the settings file unless the file holds changes of its own.
function(same_text a b result)
    set(${result} FALSE PARENT_SCOPE)
    if(EXISTS "${a}" AND EXISTS "${b}")
        file(READ "${a}" text_a HEX)
        file(READ "${b}" text_b HEX)
        if(text_a STREQUAL text_b)
            set(${result} TRUE PARENT_SCOPE)
        endif()
    endif()
endfunction()

same_text("${TARGET}" "${SHIPPED}" untouched)
same_text("${TARGET}" "${TEMPLATE}" current)
if(NOT EXISTS "${TARGET}" OR untouched OR current)
    file(COPY_FILE "${TEMPLATE}" "${TARGET}")
    file(COPY_FILE "${TEMPLATE}" "${SHIPPED}")
else()
    message(STATUS "Kept ${TARGET}: it holds changed settings (template: ${TEMPLATE})")
endif()
# Newer than its inputs, so the build asks again only when the template changes or the file goes.
file(TOUCH_NOCREATE "${TARGET}")
