# shell_tests.cmake -- the Windows shell driven in-process under Wine, on an Xvfb display of its own
if(CMAKE_CROSSCOMPILING)
    # The help dialog is built from the running exe's own resources, so the
    # test exe carries the game's resource script.
    add_executable(shell_tests win32/shell_test.cpp ${PROJECT_SOURCE_DIR}/resources/KestrelForges.rc)
    target_link_libraries(shell_tests PRIVATE kestrel_shell gtest_main)
    target_include_directories(shell_tests PRIVATE ${PROJECT_SOURCE_DIR})

    # The tests of the running shell in a new order every time: none may lean
    # on another. The first pass of a fresh start, Escape and Alt+F4 each take
    # a process of their own.
    add_test(NAME shell_tests COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/with-xvfb.sh $<TARGET_FILE:shell_tests>
        --gtest_shuffle)
    set(shell_processes shell_tests)
    foreach(group IN ITEMS "start|ShellStartUp" "quit|QuitSequence" "close|CloseRequest")
        string(REPLACE "|" ";" fields "${group}")
        list(GET fields 0 name)
        list(GET fields 1 suite)
        add_test(NAME shell_${name}_tests COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/with-xvfb.sh
            $<TARGET_FILE:shell_tests> --gtest_also_run_disabled_tests --gtest_filter=DISABLED_${suite}.*)
        list(APPEND shell_processes shell_${name}_tests)
    endforeach()
    set_tests_properties(${shell_processes} PROPERTIES
        ENVIRONMENT "KESTREL_BUILD_DIR=${CMAKE_BINARY_DIR}"
        FIXTURES_REQUIRED wine
        RESOURCE_LOCK wine_session
        LABELS win32
        TIMEOUT 120)
endif()
