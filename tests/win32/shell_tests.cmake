# shell_tests.cmake -- the Windows shell driven in-process under Wine, on an Xvfb display of its own
if(CMAKE_CROSSCOMPILING)
    # The help dialog is built from the running exe's own resources, so the
    # test exe carries the game's resource script.
    add_executable(shell_tests win32/shell_test.cpp ${PROJECT_SOURCE_DIR}/resources/KestrelForges.rc)
    target_link_libraries(shell_tests PRIVATE kestrel_shell gtest_main)
    target_include_directories(shell_tests PRIVATE ${PROJECT_SOURCE_DIR})

    # A process quits once: Escape ends the main run, Alt+F4 a second one.
    add_test(NAME shell_tests COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/with-xvfb.sh $<TARGET_FILE:shell_tests>)
    add_test(NAME shell_close_tests COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/with-xvfb.sh $<TARGET_FILE:shell_tests>
        --gtest_also_run_disabled_tests --gtest_filter=ShellStartUp.*:DISABLED_CloseRequest.*)
    set_tests_properties(shell_tests shell_close_tests PROPERTIES
        ENVIRONMENT "KESTREL_BUILD_DIR=${CMAKE_BINARY_DIR}"
        FIXTURES_REQUIRED wine
        RESOURCE_LOCK wine_session
        LABELS win32
        TIMEOUT 120)
endif()
