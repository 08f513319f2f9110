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
    set(coverage_ignorelist ${PROJECT_SOURCE_DIR}/tests/fuzz/uninstrumented_functions.txt)
    # The list's digest on the command line: a changed list then rebuilds every
    # object, which neither Ninja nor ccache would notice otherwise.
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${coverage_ignorelist})
    file(MD5 ${coverage_ignorelist} coverage_ignorelist_digest)
    add_compile_options(-fsanitize=fuzzer-no-link
        -fsanitize-coverage-ignorelist=${coverage_ignorelist}
        -DTOVEK_COVERAGE_IGNORELIST=${coverage_ignorelist_digest})
endif()
