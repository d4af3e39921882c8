# run_fuzzer.cmake -- fuzzes the game for a fixed number of inputs from the committed seeds; fails on any crash or broken rule
# Usage: cmake -DFUZZER=<replay_fuzzer> -DSEEDS=<seed corpus> -DWORK=<scratch directory> -DRUNS=<n> -P run_fuzzer.cmake
# A count of inputs, not a time: a loaded machine tests as much as an idle one, only slower.
# Inputs that fail are left in WORK/artifacts and, as replay scripts, in WORK/replays.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/corpus ${WORK}/artifacts ${WORK}/replays)
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env KESTREL_FUZZ_REPLAYS=${WORK}/replays
        ${FUZZER} -runs=${RUNS} -timeout=30 -rss_limit_mb=2048 -print_final_stats=1
        -artifact_prefix=${WORK}/artifacts/ ${WORK}/corpus ${SEEDS}
    RESULT_VARIABLE status)
if(status EQUAL 0)
    message(STATUS "no crash and no broken rule in ${RUNS} inputs")
    return()
endif()
# A sanitizer ends the process before the target can write a replay: play each
# kept input once more with every input saved first.
file(GLOB artifacts ${WORK}/artifacts/*)
foreach(artifact IN LISTS artifacts)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env KESTREL_FUZZ_REPLAYS=${WORK}/replays KESTREL_FUZZ_SAVE_EVERY=1
            ${FUZZER} ${artifact}
        OUTPUT_QUIET ERROR_QUIET)
endforeach()
file(GLOB replays ${WORK}/replays/*.keys)
string(REPLACE ";" "\n  " replays "${replays}")
message(FATAL_ERROR "the fuzzer failed (${status}); failing inputs in ${WORK}/artifacts, as replays:\n  ${replays}")
