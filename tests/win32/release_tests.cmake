# release_tests.cmake -- the Release game's size, its zip, and the entry point's exit code when no window can be made
if(NOT CMAKE_CROSSCOMPILING)
    return()
endif()

# The player downloads one small exe: stripped, unused code collected, the
# large icons stored as PNG.
if(CMAKE_BUILD_TYPE STREQUAL "Release")
    add_test(NAME game_size COMMAND ${CMAKE_COMMAND} -DEXE=$<TARGET_FILE:KestrelForges> -DLIMIT=409600
        -P ${CMAKE_CURRENT_SOURCE_DIR}/win32/check_size.cmake)
    set_tests_properties(game_size PROPERTIES LABELS win32)
endif()

# The player's zip, built as make package builds it: its entries and the notices the exe owes.
if(TARGET package_zip)
    add_test(NAME package_zip_build COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target package_zip)
    add_test(NAME package_zip COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/check_archive.py
        ${CMAKE_BINARY_DIR}/${package_name}.zip ${PROJECT_SOURCE_DIR}/scripts/pack-zip.py ${package_name}
        ${package_entries})
    set_tests_properties(package_zip_build PROPERTIES FIXTURES_SETUP windows_zip LABELS win32 TIMEOUT 300
        RESOURCE_LOCK build_tree)
    set_tests_properties(package_zip PROPERTIES FIXTURES_REQUIRED windows_zip LABELS win32 TIMEOUT 60)
endif()

# The real wWinMain and start-up, with the game's resources, in a process whose
# window creation is refused.
add_executable(startup_failure_test win32/startup_failure_test.cpp ${PROJECT_SOURCE_DIR}/platform/windows/main.cpp
    ${PROJECT_SOURCE_DIR}/resources/KestrelForges.rc)
target_link_libraries(startup_failure_test PRIVATE kestrel_shell gtest_main)
target_include_directories(startup_failure_test PRIVATE ${PROJECT_SOURCE_DIR})
add_test(NAME startup_failure_test COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/with-xvfb.sh
    $<TARGET_FILE:startup_failure_test>)
set_tests_properties(startup_failure_test PROPERTIES
    ENVIRONMENT "KESTREL_BUILD_DIR=${CMAKE_BINARY_DIR}"
    FIXTURES_REQUIRED wine
    RESOURCE_LOCK wine_session
    LABELS win32
    TIMEOUT 120)
