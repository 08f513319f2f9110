# Builds the stage sources SOURCE_DIR/mNN.txt of the stage file names NAMES
# with `stagetool build`. MODE=write writes DATA_DIR/mNN.dat; MODE=compare
# fails unless DATA_DIR/mNN.dat is byte for byte what the source builds (the
# build draws the editor's fixed key material, so equal stages are equal
# files) and unless the source's header gives the stage's name and idea.
cmake_minimum_required(VERSION 3.25)

function(run_checked)
    execute_process(COMMAND ${ARGV} RESULT_VARIABLE status OUTPUT_VARIABLE output
                    ERROR_VARIABLE errors)
    if(NOT status EQUAL 0)
        string(REPLACE ";" " " command "${ARGV}")
        message(FATAL_ERROR "${command} failed (${status}):\n${output}${errors}")
    endif()
endfunction()

set(regenerate "run `cmake --build <build> --target regenerate-stages`")
foreach(name IN LISTS NAMES)
    set(source ${SOURCE_DIR}/${name}.txt)
    set(shipped ${DATA_DIR}/${name}.dat)
    if(NOT EXISTS ${source})
        message(FATAL_ERROR "${shipped} has no source ${source}")
    endif()
    if(MODE STREQUAL "write")
        run_checked(${STAGETOOL} build ${source} ${shipped})
        continue()
    endif()
    if(NOT EXISTS ${shipped})
        message(FATAL_ERROR "${source} is not built into ${shipped}; ${regenerate}")
    endif()
    file(READ ${source} text)
    if(NOT text MATCHES "^# name: [^\n/]*[^\n -~][^\n/]* / [A-Za-z][^\n]*\n# idea: [^\n]")
        message(FATAL_ERROR "${source} does not start with its name and idea:\n"
                            "# name: <Japanese name> / <English name>\n# idea: <the idea>")
    endif()
    file(REMOVE_RECURSE ${WORK_DIR})
    file(MAKE_DIRECTORY ${WORK_DIR})
    run_checked(${STAGETOOL} build ${source} ${WORK_DIR}/${name}.dat)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK_DIR}/${name}.dat ${shipped}
                    RESULT_VARIABLE different)
    if(different)
        message(FATAL_ERROR "${shipped} differs from what ${name}.txt builds; ${regenerate}")
    endif()
endforeach()
