# embed_files(TARGET name NAMESPACE ns FILES id=path ...)
# Turns files into a static library holding their bytes, with a header
# <name>.h declaring `std::span<const unsigned char> ns::id()` for each file.
function(embed_files)
    cmake_parse_arguments(ARG "" "TARGET;NAMESPACE" "FILES" ${ARGN})
    set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/${ARG_TARGET})
    set(header ${out_dir}/${ARG_TARGET}.h)
    set(source ${out_dir}/${ARG_TARGET}.cpp)
    set(pairs "")
    set(inputs "")
    foreach(entry IN LISTS ARG_FILES)
        string(REPLACE "=" ";" parts ${entry})
        list(GET parts 0 id)
        list(GET parts 1 path)
        get_filename_component(path ${path} ABSOLUTE)
        list(APPEND pairs "${id}=${path}")
        list(APPEND inputs ${path})
    endforeach()
    # A list argument would be split into several; pass it joined by '|'.
    string(REPLACE ";" "|" pairs "${pairs}")
    add_custom_command(
        OUTPUT ${header} ${source}
        COMMAND ${CMAKE_COMMAND} -DHEADER=${header} -DSOURCE=${source}
                -DNAMESPACE=${ARG_NAMESPACE} "-DPAIRS=${pairs}"
                -P ${PROJECT_SOURCE_DIR}/cmake/WriteEmbedded.cmake
        DEPENDS ${inputs} ${PROJECT_SOURCE_DIR}/cmake/WriteEmbedded.cmake
        COMMENT "Embedding ${ARG_TARGET}"
        VERBATIM)
    add_library(${ARG_TARGET} STATIC ${source} ${header})
    target_include_directories(${ARG_TARGET} PUBLIC ${out_dir})
    target_compile_features(${ARG_TARGET} PUBLIC cxx_std_20)
endfunction()
