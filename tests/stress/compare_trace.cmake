# compare_trace.cmake -- plays a replay with the simulator and fails unless its trace equals the committed one
# Usage: cmake -DRUNNER=<emulator, may be empty> -DSIMULATE=<simulator> -DKEYS=<script.keys>
#              -DEXPECTED=<script.trace> -DACTUAL=<where a differing trace goes> [-DSEED=1] -P compare_trace.cmake
# With SEED, KEYS is a fuzzer seed: its first byte names its mode, the rest is played.
if(SEED)
    file(READ ${KEYS} played OFFSET 1)
    set(KEYS ${ACTUAL}.played)
    file(WRITE ${KEYS} "${played}")
endif()
execute_process(COMMAND ${RUNNER} ${SIMULATE} ${KEYS} OUTPUT_VARIABLE actual ERROR_VARIABLE errors RESULT_VARIABLE status)
# A Wine started just as the prefix's previous server shuts down can fail
# before the program runs: status 1 and not a line of output. Once more then.
if(RUNNER AND status EQUAL 1 AND actual STREQUAL "" AND errors STREQUAL "")
    message(STATUS "Wine failed to start ${SIMULATE}; trying once more")
    execute_process(COMMAND ${RUNNER} ${SIMULATE} ${KEYS} OUTPUT_VARIABLE actual ERROR_VARIABLE errors RESULT_VARIABLE status)
endif()
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${SIMULATE} ${KEYS} failed with ${status}:\n${errors}")
endif()
# The Windows runtime writes CRLF line ends.
string(REPLACE "\r\n" "\n" actual "${actual}")
file(READ ${EXPECTED} expected)
if(actual STREQUAL expected)
    file(REMOVE ${ACTUAL})
    string(REGEX MATCHALL "\n" lineEnds "${expected}")
    list(LENGTH lineEnds frames)
    message(STATUS "${KEYS}: all ${frames} frames match the committed trace")
    return()
endif()
file(WRITE ${ACTUAL} "${actual}")
string(REPLACE "\n" ";" expectedLines "${expected}")
string(REPLACE "\n" ";" actualLines "${actual}")
foreach(wanted got IN ZIP_LISTS expectedLines actualLines)
    if(NOT wanted STREQUAL got)
        message(FATAL_ERROR "${KEYS}: the trace differs first at this frame\n"
            "  expected: ${wanted}\n  actual:   ${got}\n"
            "whole actual trace: ${ACTUAL}")
    endif()
endforeach()
message(FATAL_ERROR "${KEYS}: the traces differ outside the frame lines; actual trace: ${ACTUAL}")
