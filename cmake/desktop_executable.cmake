# desktop_executable.cmake -- the Linux desktop game on SDL2, its tune, the player's tarball and its installation
find_package(SDL2 QUIET)
find_package(OpenGL QUIET)
# Xlib marks the help box as owned by the game window on X11 displays.
find_package(X11 QUIET)
if(NOT SDL2_FOUND OR NOT OpenGL_OpenGL_FOUND OR NOT X11_FOUND)
    message(STATUS "SDL2, OpenGL or Xlib not found: no desktop game (install libsdl2-dev)")
    return()
endif()

# The shell but its entry point, its loop and its platform calls (the frame's,
# help and quitting), so a test can drive its input with the recording platform.
add_library(kestrel_desktop STATIC
    platform/desktop/startup.cpp
    platform/desktop/input.cpp
    platform/desktop/help_box.cpp
    platform/desktop/record.cpp
)
target_link_libraries(kestrel_desktop PUBLIC kestrel_core SDL2::SDL2 OpenGL::GL X11::X11)
target_include_directories(kestrel_desktop PUBLIC ${PROJECT_SOURCE_DIR})

add_executable(KestrelForges
    platform/desktop/main.cpp
    platform/desktop/main_loop.cpp
    platform/desktop/help.cpp
    platform/desktop/platform.cpp
)
target_link_libraries(KestrelForges PRIVATE kestrel_desktop)
# No build paths in the debug information: the build ID, which the stripped
# binary keeps, then depends only on the sources, wherever they were built.
foreach(target IN ITEMS kestrel_core kestrel_desktop KestrelForges)
    target_compile_options(${target} PRIVATE -ffile-prefix-map=${CMAKE_BINARY_DIR}=build
        -ffile-prefix-map=${PROJECT_SOURCE_DIR}=.)
endforeach()

# The tune is looked up beside the executable first.
add_custom_command(TARGET KestrelForges POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PROJECT_SOURCE_DIR}/resources/gamesound.wav
            $<TARGET_FILE_DIR:KestrelForges>/gamesound.wav)

# The stripped game, built with the game: the install rules take this copy.
if(NOT CMAKE_STRIP)
    return()
endif()
set(stripped ${CMAKE_BINARY_DIR}/package/KestrelForges)
add_custom_command(OUTPUT ${stripped}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/package
    COMMAND ${CMAKE_STRIP} --strip-all --remove-section=.comment -o ${stripped} $<TARGET_FILE:KestrelForges>
    DEPENDS KestrelForges VERBATIM)
add_custom_target(stripped_game ALL DEPENDS ${stripped})
include(${PROJECT_SOURCE_DIR}/cmake/linux_install.cmake)

# The player's tarball: the stripped game, the tune, a README, the licence and the notices,
# with fixed order, times, owners and modes so that two builds give the same bytes.
find_package(Python3 COMPONENTS Interpreter)
if(Python3_Interpreter_FOUND)
    set(tarball_name KestrelForges-${PROJECT_VERSION}-linux-x86_64)
    set(tarball ${CMAKE_BINARY_DIR}/${tarball_name}.tar.gz)
    set(tarball_entries
        ${stripped}=KestrelForges:755
        ${PROJECT_SOURCE_DIR}/resources/gamesound.wav=gamesound.wav
        ${PROJECT_SOURCE_DIR}/docs/README-linux.txt=README.txt
        ${PROJECT_SOURCE_DIR}/LICENSE=LICENSE.txt
        ${PROJECT_SOURCE_DIR}/docs/THIRD-PARTY-NOTICES-linux.txt=THIRD-PARTY-NOTICES.txt)
    add_custom_target(package_tarball
        COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/scripts/pack-tar.py ${tarball} ${tarball_name}
                ${tarball_entries}
        VERBATIM)
    add_dependencies(package_tarball stripped_game)
endif()
