# desktop_tests.cmake -- the desktop game end to end under Xvfb; in the sanitizer build, a short session
# Included from tests/CMakeLists.txt: CMAKE_CURRENT_SOURCE_DIR is tests/.
if(CMAKE_CROSSCOMPILING OR NOT TARGET KestrelForges)
    return()
endif()
find_package(Python3 REQUIRED COMPONENTS Interpreter)

# Preloaded into the game: the time of every presented frame. Not into the sanitizer build, whose runtime must be loaded first.
if(NOT KESTREL_SANITIZE)
    add_library(sdl_spy MODULE ${CMAKE_CURRENT_SOURCE_DIR}/desktop/sdl_spy.cpp)
    target_link_libraries(sdl_spy PRIVATE SDL2::SDL2 ${CMAKE_DL_LIBS})
endif()
set(desktop_environment
    "KESTREL_BUILD_DIR=${CMAKE_BINARY_DIR}"
    "KESTREL_DESKTOP_GAME=$<TARGET_FILE:KestrelForges>"
    "KESTREL_SHOTS=${CMAKE_BINARY_DIR}/screenshots"
    "KESTREL_SDL_SPY=$<$<NOT:$<BOOL:${KESTREL_SANITIZE}>>:$<TARGET_FILE:sdl_spy>>")
# The game end to end watches frames go by: never beside the soak or the
# fuzzer (stress.cmake), which keep a processor busy each.
set(desktop_locks busy_soak busy_fuzzer)
if(KESTREL_SANITIZE)
    # D-Bus keeps a few buffers to the end of the process; the game's own code
    # must leak nothing.
    list(APPEND desktop_environment
        "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/desktop/lsan.supp:print_suppressions=0"
        "ASAN_OPTIONS=detect_leaks=1")
    add_test(NAME e2e_desktop_session COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/e2e/test_desktop.py session)
    set_tests_properties(e2e_desktop_session PROPERTIES LABELS e2e TIMEOUT 600 ENVIRONMENT "${desktop_environment}"
        RESOURCE_LOCK "${desktop_locks}")
else()
    # The player's tarball, built as make package builds it.
    if(TARGET package_tarball)
        add_test(NAME desktop_tarball_build COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target package_tarball)
        add_test(NAME desktop_tarball COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/check_archive.py
            ${tarball} ${PROJECT_SOURCE_DIR}/scripts/pack-tar.py ${tarball_name} ${tarball_entries})
        set_tests_properties(desktop_tarball_build PROPERTIES FIXTURES_SETUP tarball LABELS unit TIMEOUT 300
            RESOURCE_LOCK build_tree)
        set_tests_properties(desktop_tarball PROPERTIES FIXTURES_REQUIRED tarball LABELS unit TIMEOUT 300)

        # The Debian package, built as make package builds it: its checks, then the game played from it.
        # The lock: two makes in the build folder at once would race, and desktop_deb packs the .deb again.
        set(deb ${CMAKE_BINARY_DIR}/${CPACK_PACKAGE_NAME}_${PROJECT_VERSION}_amd64.deb)
        add_test(NAME desktop_deb_build COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target package_deb)
        add_test(NAME desktop_deb COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/desktop/test_deb.py
            package ${deb} ${CMAKE_BINARY_DIR})
        add_test(NAME e2e_desktop_deb COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/desktop/test_deb.py
            play ${deb})
        set_tests_properties(desktop_deb_build PROPERTIES FIXTURES_SETUP deb LABELS unit TIMEOUT 300
            RESOURCE_LOCK build_tree)
        set_tests_properties(desktop_deb PROPERTIES FIXTURES_REQUIRED deb LABELS unit TIMEOUT 600
            RESOURCE_LOCK build_tree)
        set_tests_properties(e2e_desktop_deb PROPERTIES FIXTURES_REQUIRED deb LABELS e2e TIMEOUT 300
            RESOURCE_LOCK build_tree ENVIRONMENT "${desktop_environment}")
    endif()
    add_test(NAME e2e_desktop COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/e2e/test_desktop.py)
    # The same steps on a player's desktop: a reparenting window manager frames the game and its box.
    add_test(NAME e2e_desktop_openbox COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/e2e/test_desktop.py
        openbox)
    # Recorded runs played with --play, each ending on the simulator's last frame through Mesa.
    if(TARGET native_frames)
        add_test(NAME e2e_desktop_playback COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/e2e/test_desktop.py
            playback)
        set_tests_properties(e2e_desktop_playback PROPERTIES LABELS e2e TIMEOUT 900
            ENVIRONMENT "${desktop_environment}" RESOURCE_LOCK "${desktop_locks}")
    endif()
    set_tests_properties(e2e_desktop e2e_desktop_openbox PROPERTIES LABELS e2e TIMEOUT 900
        ENVIRONMENT "${desktop_environment}" RESOURCE_LOCK "${desktop_locks}")
endif()

# The shell's pad input on SDL's virtual game controller, with the recording
# OpenGL and platform in place of the window and the frame calls.
add_executable(desktop_pad_test ${CMAKE_CURRENT_SOURCE_DIR}/desktop/pad_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/support/frame_script.cpp)
target_link_libraries(desktop_pad_test PRIVATE kestrel_desktop kestrel_null gtest_main)
add_test(NAME desktop_pad_test COMMAND desktop_pad_test)
set_tests_properties(desktop_pad_test PROPERTIES LABELS unit TIMEOUT 60 ENVIRONMENT "SDL_VIDEODRIVER=dummy")
