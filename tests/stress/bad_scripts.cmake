# bad_scripts.cmake -- the simulator refuses key scripts and run records it cannot play: exit code 2, one line on stderr, no frames
# Usage: cmake -DSIMULATE=<simulator> -DWORK=<scratch folder> -P bad_scripts.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(WRITE ${WORK}/empty.keys "")
file(WRITE ${WORK}/huge.keys "0 enter\n999999999 up\n")
file(WRITE ${WORK}/garbage.keys "0 enter\nframes 10 and more\n")
file(WRITE ${WORK}/newer.run "# from a later game\nkestrel-forges run 2\ngame 2.0.0\n0 enter\n")
file(WRITE ${WORK}/keyless.run "kestrel-forges run 1\ngame 1.0.0\n")

# script | what stderr must say
set(cases
    "${WORK}/missing.keys|^simulate: cannot read .*missing.keys\n$"
    "${WORK}/empty.keys|^.*empty.keys: no frames to play\n$"
    "${WORK}/huge.keys|^.*huge.keys: line 2: frame 999999999 is above the limit of 1000000\n$"
    "${WORK}/garbage.keys|^.*garbage.keys: line 2: unexpected \"and\" after the frame count\n$"
    "${WORK}/newer.run|^.*newer.run: line 2: the record was made by a newer game [(]run format 2. this game reads 1[)]\n$"
    "${WORK}/keyless.run|^.*keyless.run: no passes to play\n$")
foreach(case IN LISTS cases)
    string(FIND "${case}" "|" bar)
    string(SUBSTRING "${case}" 0 ${bar} script)
    math(EXPR after "${bar} + 1")
    string(SUBSTRING "${case}" ${after} -1 pattern)
    execute_process(COMMAND ${SIMULATE} ${script} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
    if(NOT status STREQUAL "2" OR NOT out STREQUAL "" OR NOT err MATCHES "${pattern}")
        message(FATAL_ERROR "${script}: expected exit code 2, no trace and one line matching ${pattern}\n"
            "got exit code ${status}, stderr:\n${err}stdout:\n${out}")
    endif()
    message(STATUS "refused: ${err}")
endforeach()
