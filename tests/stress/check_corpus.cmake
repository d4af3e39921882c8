# check_corpus.cmake -- regenerates the fuzzing corpus and fails unless it equals the committed one file for file
# Usage: cmake -DTOOL=<corpus_gen> -DOUTPUT=<scratch directory> -DEXPECTED=<committed corpus> -DREPLAYS=<replay dir>
#              -P check_corpus.cmake
file(REMOVE_RECURSE ${OUTPUT})
file(MAKE_DIRECTORY ${OUTPUT})
file(GLOB scripts ${REPLAYS}/*.keys)
list(SORT scripts)
execute_process(COMMAND ${TOOL} ${OUTPUT} ${scripts} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${TOOL} failed with ${status}")
endif()
file(GLOB made RELATIVE ${OUTPUT} ${OUTPUT}/*)
file(GLOB committed RELATIVE ${EXPECTED} ${EXPECTED}/*)
list(SORT made)
list(SORT committed)
if(NOT made STREQUAL committed)
    message(FATAL_ERROR "corpus files differ:\n  made: ${made}\n  committed: ${committed}\n"
        "regenerate with: ${TOOL} ${EXPECTED} ${REPLAYS}/*.keys")
endif()
foreach(name IN LISTS made)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT}/${name} ${EXPECTED}/${name} RESULT_VARIABLE differs)
    if(NOT differs EQUAL 0)
        message(FATAL_ERROR "${EXPECTED}/${name} differs from what ${TOOL} makes now; "
            "regenerate with: ${TOOL} ${EXPECTED} ${REPLAYS}/*.keys")
    endif()
endforeach()
list(LENGTH made count)
message(STATUS "all ${count} seeds of ${EXPECTED} are reproduced byte for byte")
