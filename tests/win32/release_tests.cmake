# release_tests.cmake -- the Release game's size
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

