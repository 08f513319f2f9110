# Project-wide compile flags: warnings everywhere, optional -Werror and sanitizers.
add_compile_options(-Wall -Wextra -Wpedantic)
if(TOVEK_WERROR)
    add_compile_options(-Werror)
endif()
if(TOVEK_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()
# GCC 12 takes "text" + std::string for an overlapping memcpy at -O2 and above
# (a false -Wrestrict, GCC bug 105651); newer compilers keep the warning.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    add_compile_options(-Wno-restrict)
endif()
if(TOVEK_FUZZ)
    # Coverage for libFuzzer everywhere but in the standard library; the fuzz
    # programs link its runtime.
    add_compile_options(-fsanitize=fuzzer-no-link
        -fsanitize-coverage-ignorelist=${PROJECT_SOURCE_DIR}/tests/fuzz/uninstrumented_functions.txt)
endif()
