# Included by the top-level CMakeLists.txt in fuzz mode, before the libraries are made: every
# library and program is compiled for coverage-guided fuzzing, with AddressSanitizer and
# UndefinedBehaviorSanitizer, and undefined behaviour stops the program like a crash does. Only
# the fuzz targets themselves link the fuzzer's driver (-fsanitize=fuzzer, see fuzz/CMakeLists.txt).
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "PARBLOK_FUZZ needs clang: CC=clang CXX=clang++ cmake -DPARBLOK_FUZZ=ON ...")
endif()
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                    -fno-omit-frame-pointer)
add_link_options(-fsanitize=address,undefined)
