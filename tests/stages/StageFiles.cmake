# Turns the stage sources SOURCE_DIR/mNN.txt of the stage numbers STAGES into
# stage files. MODE=write writes DATA_DIR/mNN.dat; MODE=compare fails unless
# DATA_DIR/mNN.dat holds the same stage as its source. Both modes require the
# file to be one the editor could have written. Files are compared through
# `stagetool decode` because key material differs between saves.
cmake_minimum_required(VERSION 3.25)

function(run_checked)
    execute_process(COMMAND ${ARGV} RESULT_VARIABLE status OUTPUT_VARIABLE output
                    ERROR_VARIABLE errors)
    if(NOT status EQUAL 0)
        string(REPLACE ";" " " command "${ARGV}")
        message(FATAL_ERROR "${command} failed (${status}):\n${output}${errors}")
    endif()
    set(output "${output}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
foreach(stage IN LISTS STAGES)
    set(name m0${stage})
    set(json ${WORK_DIR}/${name}.json)
    set(shipped ${DATA_DIR}/${name}.dat)
    run_checked(${STAGE_SOURCE} ${SOURCE_DIR}/${name}.txt)
    file(WRITE ${json} "${output}")
    if(MODE STREQUAL "write")
        file(MAKE_DIRECTORY ${DATA_DIR})
        run_checked(${STAGETOOL} encode ${json} ${shipped})
    else()
        run_checked(${STAGETOOL} encode ${json} ${WORK_DIR}/${name}.dat)
        run_checked(${STAGETOOL} decode ${WORK_DIR}/${name}.dat)
        set(rebuilt "${output}")
        run_checked(${STAGETOOL} decode ${shipped})
        if(NOT rebuilt STREQUAL output)
            message(FATAL_ERROR "${shipped} differs from ${name}.txt; "
                                "run `cmake --build <build> --target regenerate-stages`")
        endif()
    endif()
    run_checked(${STAGETOOL} check ${shipped})
endforeach()
