# shell_tests.cmake -- the Windows shell driven in-process under Wine, on an Xvfb display of its own
if(CMAKE_CROSSCOMPILING)
    # The help dialog is built from the running exe's own resources, so the
    # test exe carries the game's resource script.
    add_executable(shell_tests win32/shell_test.cpp ${PROJECT_SOURCE_DIR}/resources/KestrelForges.rc)
    target_link_libraries(shell_tests PRIVATE kestrel_shell gtest_main)
    target_include_directories(shell_tests PRIVATE ${PROJECT_SOURCE_DIR})
    add_test(NAME shell_tests COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/with-xvfb.sh $<TARGET_FILE:shell_tests>)
    set_tests_properties(shell_tests PROPERTIES
        ENVIRONMENT "KESTREL_BUILD_DIR=${CMAKE_BINARY_DIR}"
        FIXTURES_REQUIRED wine
        RESOURCE_LOCK wine_session
        LABELS win32
        TIMEOUT 300)
endif()
