# stress.cmake -- replays against committed traces, per-frame invariants, the soak and the fuzzer
# Included from tests/CMakeLists.txt: CMAKE_CURRENT_SOURCE_DIR is tests/.
set(stress_source_dir ${CMAKE_CURRENT_SOURCE_DIR}/stress)
set(replay_source_dir ${CMAKE_CURRENT_SOURCE_DIR}/replays)
file(GLOB replay_scripts CONFIGURE_DEPENDS ${replay_source_dir}/*.keys)
list(SORT replay_scripts)

# The game driven frame by frame, with the invariants and the replay format.
add_library(stress_support STATIC
    ${stress_source_dir}/invariants.cpp
    ${stress_source_dir}/fuzz_input.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/support/frame_script.cpp
)
target_link_libraries(stress_support PUBLIC kestrel_null kestrel_replay_script)
target_include_directories(stress_support PUBLIC ${PROJECT_SOURCE_DIR})

add_executable(stress_support_test ${stress_source_dir}/stress_support_test.cpp)
target_link_libraries(stress_support_test PRIVATE stress_support gtest_main)

if(CMAKE_CROSSCOMPILING)
    set(wine_environment "KESTREL_BUILD_DIR=${CMAKE_BINARY_DIR}")
    # Every replay's trace from the Windows runtime, frame for frame.
    foreach(script IN LISTS replay_scripts)
        get_filename_component(name ${script} NAME_WE)
        add_test(NAME replay_${name} COMMAND ${CMAKE_COMMAND}
            -DRUNNER=${CMAKE_CROSSCOMPILING_EMULATOR} -DSIMULATE=$<TARGET_FILE:simulate>
            -DKEYS=${script} -DEXPECTED=${replay_source_dir}/${name}.trace
            -DACTUAL=${CMAKE_BINARY_DIR}/replays/${name}.actual
            -P ${stress_source_dir}/compare_trace.cmake)
        set_tests_properties(replay_${name} PROPERTIES LABELS win32 FIXTURES_REQUIRED wine
            RESOURCE_LOCK wine_session TIMEOUT 120 ENVIRONMENT "${wine_environment}")
    endforeach()
    return()
endif()

# The host draws the runtime's sequence too: the same traces, frame for frame.
# The invariants along every replay are the fuzzer's first pass over its seeds,
# which are the replays.
if(KESTREL_SHARED_CHECKS)
    foreach(script IN LISTS replay_scripts)
        get_filename_component(name ${script} NAME_WE)
        add_test(NAME host_replay_${name} COMMAND ${CMAKE_COMMAND} -DSIMULATE=$<TARGET_FILE:simulate>
            -DKEYS=${script} -DEXPECTED=${replay_source_dir}/${name}.trace
            -DACTUAL=${CMAKE_BINARY_DIR}/replays/${name}.actual
            -P ${stress_source_dir}/compare_trace.cmake)
        set_tests_properties(host_replay_${name} PROPERTIES LABELS unit TIMEOUT 60)
        # The same run from the record the corpus makes of it, where it makes one.
        if(EXISTS ${stress_source_dir}/corpus/record_${name})
            add_test(NAME host_replay_${name}_as_record COMMAND ${CMAKE_COMMAND} -DSIMULATE=$<TARGET_FILE:simulate>
                -DKEYS=${stress_source_dir}/corpus/record_${name} -DSEED=1
                -DEXPECTED=${replay_source_dir}/${name}.trace
                -DACTUAL=${CMAKE_BINARY_DIR}/replays/${name}_as_record.actual
                -P ${stress_source_dir}/compare_trace.cmake)
            set_tests_properties(host_replay_${name}_as_record PROPERTIES LABELS unit TIMEOUT 60)
        endif()
    endforeach()
    add_test(NAME stress_support_test COMMAND stress_support_test)
    set_tests_properties(stress_support_test PROPERTIES LABELS unit TIMEOUT 120)
    add_test(NAME simulate_bad_scripts COMMAND ${CMAKE_COMMAND} -DSIMULATE=$<TARGET_FILE:simulate>
        -DWORK=${CMAKE_CURRENT_BINARY_DIR}/bad_scripts -P ${stress_source_dir}/bad_scripts.cmake)
    set_tests_properties(simulate_bad_scripts PROPERTIES LABELS unit TIMEOUT 60)
endif()

# Five seeds of random play; the sanitizers make a frame about ten times dearer.
# A count of frames, not a time: the limit only catches a hang, and a loaded
# machine may take several times the 70 s an idle one takes.
add_executable(stress_soak ${stress_source_dir}/soak.cpp)
target_link_libraries(stress_soak PRIVATE stress_support)
if(KESTREL_SANITIZE)
    set(soak_frames 20000)
else()
    set(soak_frames 200000)
endif()
add_test(NAME stress_soak COMMAND stress_soak ${soak_frames})
# The soak and the fuzzer keep a processor busy each: the desktop game's end-to-end
# test, which watches frames go by, never runs beside them (desktop_tests.cmake).
set_tests_properties(stress_soak PROPERTIES LABELS unit TIMEOUT 600 RESOURCE_LOCK busy_soak)

# The fuzzer's seed corpus is made from the replays and committed.
add_executable(corpus_gen ${stress_source_dir}/corpus_gen.cpp)
target_link_libraries(corpus_gen PRIVATE stress_support)
if(KESTREL_SHARED_CHECKS)
    add_test(NAME generated_fuzz_corpus COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:corpus_gen>
        -DOUTPUT=${CMAKE_CURRENT_BINARY_DIR}/fuzz_corpus -DEXPECTED=${stress_source_dir}/corpus
        -DREPLAYS=${replay_source_dir} -P ${stress_source_dir}/check_corpus.cmake)
    set_tests_properties(generated_fuzz_corpus PROPERTIES LABELS unit TIMEOUT 60)
endif()

# libFuzzer needs clang; the presets build with g++, so the fuzzer is compiled
# apart, straight from the sources, with clang++ and its own sanitizers.
if(KESTREL_SANITIZE)
    return()
endif()
find_program(KESTREL_CLANGXX NAMES clang++ clang++-14)
if(NOT KESTREL_CLANGXX)
    message(FATAL_ERROR "clang++ not found: the replay fuzzer cannot be built (install clang)")
endif()
execute_process(COMMAND ${KESTREL_CLANGXX} -print-resource-dir
    OUTPUT_VARIABLE clang_resource_dir OUTPUT_STRIP_TRAILING_WHITESPACE)
file(GLOB libfuzzer "${clang_resource_dir}/lib/*/libclang_rt.fuzzer*.a")
if(NOT libfuzzer)
    message(FATAL_ERROR "libFuzzer not found beside ${KESTREL_CLANGXX}: the replay fuzzer cannot be built "
        "(install clang's runtime libraries)")
endif()

get_target_property(core_sources kestrel_core SOURCES)
get_target_property(core_source_dir kestrel_core SOURCE_DIR)
list(FILTER core_sources INCLUDE REGEX "\\.cpp$")
list(TRANSFORM core_sources PREPEND ${core_source_dir}/)
set(null_shell_dir ${PROJECT_SOURCE_DIR}/platform/null)
set(fuzz_sources ${core_sources}
    ${null_shell_dir}/frame_driver.cpp
    ${null_shell_dir}/gl_recorder.cpp
    ${null_shell_dir}/platform_recorder.cpp
    ${PROJECT_SOURCE_DIR}/tools/simulation/replay_script.cpp
    ${stress_source_dir}/invariants.cpp
    ${stress_source_dir}/fuzz_input.cpp
    ${stress_source_dir}/replay_fuzzer.cpp)
set(fuzz_build_dir ${CMAKE_CURRENT_BINARY_DIR}/fuzzer_objects)
file(MAKE_DIRECTORY ${fuzz_build_dir})
set(fuzz_flags -std=c++17 -O1 -g -Wall -Wextra -ffp-contract=off -fno-omit-frame-pointer
    -fsanitize=address,undefined -fno-sanitize-recover=all -I${PROJECT_SOURCE_DIR}
    -DKESTREL_GAME_VERSION="${PROJECT_VERSION}")
# Comparison tracing would cost most of the time in the drawing loops and adds
# little here: the inputs are key flags, never compared with magic values.
list(APPEND fuzz_flags -fno-sanitize-coverage=trace-cmp)
# The recording OpenGL and platform are not under test and take most calls of a
# frame: they are built plain, without sanitizers or coverage.
set(plain_sources
    ${null_shell_dir}/gl_recorder.cpp
    ${null_shell_dir}/platform_recorder.cpp)
set(fuzz_objects)
foreach(source IN LISTS fuzz_sources)
    file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${source})
    string(MAKE_C_IDENTIFIER ${relative} object_name)
    set(object ${fuzz_build_dir}/${object_name}.o)
    if(source IN_LIST plain_sources)
        set(object_flags -std=c++17 -O2 -g -Wall -Wextra -I${PROJECT_SOURCE_DIR})
    else()
        set(object_flags ${fuzz_flags} -fsanitize=fuzzer-no-link)
    endif()
    add_custom_command(OUTPUT ${object}
        COMMAND ${KESTREL_CLANGXX} ${object_flags} -MD -MF ${object}.d -c ${source} -o ${object}
        DEPENDS ${source} DEPFILE ${object}.d
        COMMENT "Building fuzzer object ${relative}" VERBATIM)
    list(APPEND fuzz_objects ${object})
endforeach()
set(fuzzer ${CMAKE_CURRENT_BINARY_DIR}/replay_fuzzer)
add_custom_command(OUTPUT ${fuzzer}
    COMMAND ${KESTREL_CLANGXX} ${fuzz_flags} -fsanitize=fuzzer ${fuzz_objects} -o ${fuzzer}
    DEPENDS ${fuzz_objects} COMMENT "Linking replay_fuzzer with libFuzzer" VERBATIM)
add_custom_target(replay_fuzzer ALL DEPENDS ${fuzzer})

# 400 inputs: about 10 s on an idle machine here, as many as 30 s gave beside the soak.
add_test(NAME replay_fuzzer COMMAND ${CMAKE_COMMAND} -DFUZZER=${fuzzer} -DSEEDS=${stress_source_dir}/corpus
    -DWORK=${CMAKE_CURRENT_BINARY_DIR}/fuzz_run -DRUNS=400 -P ${stress_source_dir}/run_fuzzer.cmake)
set_tests_properties(replay_fuzzer PROPERTIES LABELS unit TIMEOUT 600 RESOURCE_LOCK busy_fuzzer)
