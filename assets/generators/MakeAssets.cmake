# Script mode: runs the asset generators with the sources of SOURCE_DIR and
# writes their results under OUT_DIR, laid out as in the repository. With
# COMPARE=ON it then fails unless every result equals the committed file.
set(results
    assets/sheets/map.png
    assets/sheets/player.png
    assets/sheets/backgrounds.png
    assets/icons/tovek-16.png
    assets/icons/tovek-22.png
    assets/icons/tovek-24.png
    assets/icons/tovek-32.png
    assets/icons/tovek-48.png
    assets/icons/tovek-64.png
    assets/icons/tovek-128.png
    assets/icons/tovek-256.png
    assets/icons/quorle-16.png
    assets/icons/quorle-22.png
    assets/icons/quorle-24.png
    assets/icons/quorle-32.png
    assets/icons/quorle-48.png
    assets/icons/quorle-64.png
    assets/icons/quorle-128.png
    assets/icons/quorle-256.png
    assets/sounds/goal.wav
    assets/sounds/item.wav
    assets/sounds/miss.wav
    assets/sounds/stomp.wav
    dist/Tovek.mid
    docs/gallery.png)

file(MAKE_DIRECTORY ${OUT_DIR}/assets/sheets ${OUT_DIR}/assets/icons ${OUT_DIR}/assets/sounds ${OUT_DIR}/dist ${OUT_DIR}/docs)

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "failed: ${ARGN}")
    endif()
endfunction()

run(${MAKE_SHEETS} ${SOURCE_DIR}/assets/art ${OUT_DIR}/assets/sheets)
run(${MAKE_ICONS} ${SOURCE_DIR}/assets/art ${OUT_DIR}/assets/icons)
run(${MAKE_GALLERY} ${OUT_DIR}/assets/sheets ${OUT_DIR}/docs/gallery.png)
run(${MAKE_SOUNDS} ${OUT_DIR}/assets/sounds)
run(${MAKE_MUSIC} ${OUT_DIR}/dist/Tovek.mid)

if(COMPARE)
    foreach(result IN LISTS results)
        execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
                                ${OUT_DIR}/${result} ${SOURCE_DIR}/${result}
                        RESULT_VARIABLE differs)
        if(NOT differs EQUAL 0)
            message(FATAL_ERROR "${result} differs from what the generators make now; "
                                "run the regenerate-assets target and commit the result")
        endif()
    endforeach()
endif()
