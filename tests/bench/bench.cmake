# bench.cmake -- real-rasterizer pictures of the game and frame benchmarks, host builds only
if(NOT CMAKE_CROSSCOMPILING AND NOT KESTREL_SANITIZE)
    find_path(KESTREL_OSMESA_INCLUDE GL/osmesa.h)
    find_library(KESTREL_OSMESA_LIBRARY OSMesa)
    find_package(benchmark QUIET)

    set(bench_dir ${CMAKE_CURRENT_SOURCE_DIR}/bench)
    set(support_dir ${CMAKE_CURRENT_SOURCE_DIR}/support)
    # Mesa draws for real: the frame driver without the recording OpenGL.
    set(frame_driver_source ${PROJECT_SOURCE_DIR}/platform/null/frame_driver.cpp)

    if(KESTREL_OSMESA_INCLUDE AND KESTREL_OSMESA_LIBRARY)
        # The title and play views drawn by Mesa; the pictures stay for people to look at.
        add_executable(picture_test
            ${bench_dir}/picture_test.cpp
            ${bench_dir}/osmesa_platform.cpp
            ${support_dir}/frame_script.cpp
            ${frame_driver_source}
        )
        target_include_directories(picture_test PRIVATE ${PROJECT_SOURCE_DIR} ${KESTREL_OSMESA_INCLUDE})
        target_link_libraries(picture_test PRIVATE kestrel_core ${KESTREL_OSMESA_LIBRARY} gtest_main)
        target_compile_definitions(picture_test PRIVATE KESTREL_PICTURE_DIR="${CMAKE_BINARY_DIR}/pictures")
        gtest_discover_tests(picture_test TEST_PREFIX picture. PROPERTIES LABELS unit TIMEOUT 120)
    else()
        message(FATAL_ERROR "OSMesa not found: no picture tests or frame benchmarks (install libosmesa6-dev)")
    endif()

    if(KESTREL_OSMESA_INCLUDE AND KESTREL_OSMESA_LIBRARY AND benchmark_FOUND)
        # The same benchmarks twice: through the counting OpenGL and through Mesa.
        add_executable(frame_bench_null_gl
            ${bench_dir}/frame_bench.cpp
            ${bench_dir}/bench_null_gl.cpp
            ${support_dir}/frame_script.cpp
        )
        target_include_directories(frame_bench_null_gl PRIVATE ${PROJECT_SOURCE_DIR})
        target_link_libraries(frame_bench_null_gl PRIVATE kestrel_null benchmark::benchmark)

        add_executable(frame_bench_osmesa
            ${bench_dir}/frame_bench.cpp
            ${bench_dir}/bench_osmesa.cpp
            ${bench_dir}/osmesa_platform.cpp
            ${support_dir}/frame_script.cpp
            ${frame_driver_source}
        )
        target_include_directories(frame_bench_osmesa PRIVATE ${PROJECT_SOURCE_DIR} ${KESTREL_OSMESA_INCLUDE})
        target_link_libraries(frame_bench_osmesa PRIVATE kestrel_core ${KESTREL_OSMESA_LIBRARY} benchmark::benchmark)
        # Every OpenGL call goes through bench_osmesa.cpp's wrappers, which capture the floor.
        set(wrapped_gl glBegin glEnd glVertex3f glColor4f glPushMatrix glPopMatrix glClearColor glViewport
            glMatrixMode glLoadIdentity glFrustum glEnable glDisable glDepthFunc glDepthRange glClearDepth
            glClear glTranslatef glRotatef glBlendFunc glDepthMask glFinish)
        list(TRANSFORM wrapped_gl PREPEND "--wrap=")
        list(JOIN wrapped_gl "," wrap_options)
        target_link_options(frame_bench_osmesa PRIVATE "LINKER:${wrap_options}")

        # Google Benchmark 1.8 wants a unit on the minimum time; earlier versions refuse one.
        if(benchmark_VERSION VERSION_LESS 1.8)
            set(bench_min_time 0.05)
        else()
            set(bench_min_time 0.05s)
        endif()
        add_test(NAME frame_bench COMMAND ${CMAKE_COMMAND}
            -DNULL_GL_BENCH=$<TARGET_FILE:frame_bench_null_gl>
            -DOSMESA_BENCH=$<TARGET_FILE:frame_bench_osmesa>
            -DMIN_TIME=${bench_min_time}
            -DOUTPUT=${CMAKE_BINARY_DIR}/bench-results.json
            -P ${bench_dir}/run_frame_bench.cmake)
        set_tests_properties(frame_bench PROPERTIES LABELS bench TIMEOUT 300)
    elseif(NOT benchmark_FOUND)
        message(FATAL_ERROR "Google Benchmark not found: no frame benchmarks (install libbenchmark-dev)")
    endif()
endif()

# For the desktop benchmark beside Wine: the memory baseline of an empty SDL2
# OpenGL window made like the game's.
if(NOT CMAKE_CROSSCOMPILING AND NOT KESTREL_SANITIZE AND TARGET KestrelForges)
    add_executable(desktop_empty_window EXCLUDE_FROM_ALL ${CMAKE_CURRENT_SOURCE_DIR}/bench/empty_sdl_window.cpp)
    target_link_libraries(desktop_empty_window PRIVATE SDL2::SDL2 OpenGL::GL)
endif()
