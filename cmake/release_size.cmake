# release_size.cmake -- a small game: code nothing calls is dropped at link time
# Each function in a section of its own, so the linker can collect the ones
# nothing refers to (the desktop game reads records but never makes a link,
# which only the browser plays).
if(MINGW)
    # Not -fdata-sections: on this target it moves zeroed variables (the 38 KB
    # banner grid) from .bss into .data, stored in the file.
    add_compile_options($<$<CONFIG:Release>:-ffunction-sections>)
    add_link_options($<$<CONFIG:Release>:LINKER:--gc-sections>)
elseif(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND NOT EMSCRIPTEN)
    add_compile_options($<$<CONFIG:Release,RelWithDebInfo>:-ffunction-sections>)
    add_link_options($<$<CONFIG:Release,RelWithDebInfo>:LINKER:--gc-sections>)
endif()
