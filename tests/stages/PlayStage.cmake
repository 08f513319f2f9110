# Plays stage STAGE (file DATA_DIR/NAME.dat) with tovek-sim for TICKS ticks,
# driven by the key script KEYS, in a fresh program folder WORK_DIR with
# character CHARA (default 0) and 80 ms ticks. Fails unless the goal is
# reached without a miss.
cmake_minimum_required(VERSION 3.25)

if(NOT DEFINED CHARA)
    set(CHARA 0)
endif()
set(name ${NAME}.dat)
if(NOT EXISTS ${KEYS})
    message(FATAL_ERROR "stage ${STAGE} has no key script ${KEYS} for character ${CHARA}")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/data)
file(WRITE ${WORK_DIR}/Tovek.ini
     "[Customize]\nTitle=Tovek\nFolder=data\nChara=${CHARA}\nTSpeed=0\n")
file(COPY_FILE ${DATA_DIR}/${name} ${WORK_DIR}/data/${name})

execute_process(
    COMMAND ${TOVEK_SIM} --dir ${WORK_DIR} --stage ${STAGE} --ticks ${TICKS} --keys ${KEYS}
    RESULT_VARIABLE status OUTPUT_VARIABLE lines ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "tovek-sim failed (${status}): ${errors}")
endif()

# The first state line with the goal reached; every later one is the tally.
string(FIND "${lines}" "\"stageCleared\": true" clearedAt)
if(clearedAt EQUAL -1)
    string(REGEX MATCH "[^\n]*\n$" last "${lines}")
    string(JSON x GET "${last}" playerX)
    string(JSON y GET "${last}" playerY)
    string(JSON over GET "${last}" gameOver)
    message(FATAL_ERROR "stage ${STAGE} not cleared by character ${CHARA} in ${TICKS} ticks "
                        "with ${KEYS}: the player ends at (${x}, ${y}), game over ${over}")
endif()
string(SUBSTRING "${lines}" 0 ${clearedAt} before)
string(FIND "${before}" "\n" lineStart REVERSE)
math(EXPR lineStart "${lineStart} + 1")
string(SUBSTRING "${lines}" ${lineStart} -1 rest)
string(FIND "${rest}" "\n" lineEnd)
string(SUBSTRING "${rest}" 0 ${lineEnd} cleared)

string(JSON tick GET "${cleared}" tick)
string(JSON misses GET "${cleared}" misses)
string(JSON score GET "${cleared}" score)
string(JSON seconds GET "${cleared}" elapsedSeconds)
if(NOT misses EQUAL 0)
    message(FATAL_ERROR "stage ${STAGE} cleared by character ${CHARA} at tick ${tick} but with "
                        "${misses} misses")
endif()
message(STATUS "stage ${STAGE} cleared by character ${CHARA} at tick ${tick} (${seconds} s) "
               "with ${score} points")
