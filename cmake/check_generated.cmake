# check_generated.cmake -- runs a generator and fails unless its output equals the committed file byte for byte
# Usage: cmake -DTOOL=<generator> -DOUTPUT=<scratch file> -DEXPECTED=<committed file> [-DARGUMENT=<one more>]
#        -P check_generated.cmake
execute_process(COMMAND ${TOOL} ${OUTPUT} ${ARGUMENT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${TOOL} failed with ${status}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${EXPECTED} RESULT_VARIABLE differs)
if(NOT differs EQUAL 0)
    message(FATAL_ERROR "${OUTPUT} differs from the committed ${EXPECTED}: regenerate it with ${TOOL} ${OUTPUT} ${ARGUMENT}")
endif()
message(STATUS "${EXPECTED} is reproduced byte for byte")
