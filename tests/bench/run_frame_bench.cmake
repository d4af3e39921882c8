# run_frame_bench.cmake -- runs both frame benchmarks briefly and writes their figures as one JSON file
# Fails only when a benchmark program fails or a benchmark skipped itself with an error, never on the figures.
set(results "{")
set(separator "")
foreach(entry IN ITEMS "null_gl|${NULL_GL_BENCH}" "osmesa|${OSMESA_BENCH}")
    string(REPLACE "|" ";" fields "${entry}")
    list(GET fields 0 backend)
    list(GET fields 1 program)
    set(part ${OUTPUT}.${backend}.json)
    execute_process(COMMAND ${program} --benchmark_min_time=${MIN_TIME}
        --benchmark_out=${part} --benchmark_out_format=json
        RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${program} failed: ${status}")
    endif()
    file(READ ${part} figures)
    file(REMOVE ${part})
    if(figures MATCHES "\"error_occurred\": *true")
        message(FATAL_ERROR "${program}: a benchmark skipped itself with an error")
    endif()
    string(APPEND results "${separator}\n\"${backend}\": ${figures}")
    set(separator ",")
endforeach()
file(WRITE ${OUTPUT} "${results}}\n")
