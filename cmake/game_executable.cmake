# game_executable.cmake -- the Windows shell, the game executable and its tune
add_library(kestrel_shell STATIC
    platform/windows/startup.cpp
    platform/windows/main_loop.cpp
    platform/windows/input.cpp
    platform/windows/help.cpp
    platform/windows/platform.cpp
)
target_link_libraries(kestrel_shell PUBLIC kestrel_core opengl32 gdi32 winmm)
target_compile_definitions(kestrel_shell PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)

add_executable(KestrelForges WIN32 platform/windows/main.cpp resources/KestrelForges.rc)
target_link_libraries(KestrelForges PRIVATE kestrel_shell)
if(MINGW)
    target_link_options(KestrelForges PRIVATE -municode)
endif()

# The tune is looked up beside the exe, in the folder the game starts in.
add_custom_command(TARGET KestrelForges POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PROJECT_SOURCE_DIR}/resources/gamesound.wav
            $<TARGET_FILE_DIR:KestrelForges>/gamesound.wav)

if(MINGW)
    # No link time stamp in the exe, so two builds give the same bytes.
    target_link_options(KestrelForges PRIVATE -Wl,--no-insert-timestamp)
    # A Release exe carries neither symbols nor the runtime libraries' debug sections.
    target_link_options(KestrelForges PRIVATE $<$<CONFIG:Release>:-s>)
endif()

# The player's zip: the exe, the tune beside it, a short README, the licence and the
# notices the runtime libraries linked into the exe ask for,
# with fixed order, times and modes so that two builds give the same archive.
find_package(Python3 COMPONENTS Interpreter)
if(Python3_Interpreter_FOUND)
    set(package_name KestrelForges-${PROJECT_VERSION}-win64)
    set(package_entries
        $<TARGET_FILE:KestrelForges>=KestrelForges.exe
        ${PROJECT_SOURCE_DIR}/resources/gamesound.wav=gamesound.wav
        ${PROJECT_SOURCE_DIR}/docs/README-player.txt=README.txt
        ${PROJECT_SOURCE_DIR}/LICENSE=LICENSE.txt
        ${PROJECT_SOURCE_DIR}/docs/THIRD-PARTY-NOTICES-windows.txt=THIRD-PARTY-NOTICES.txt)
    add_custom_target(package_zip
        COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/scripts/pack-zip.py
                ${CMAKE_BINARY_DIR}/${package_name}.zip ${package_name} ${package_entries}
        DEPENDS KestrelForges
        VERBATIM)
endif()

# A program of its own that looks at the running game from another process: its
# window, the help dialog, the focus. make run's attract sequence and the
# end-to-end tests read it; the game never does, and no download carries it.
add_executable(probe platform/windows/probe.cpp)
target_compile_definitions(probe PRIVATE UNICODE _UNICODE)
