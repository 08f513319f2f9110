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
