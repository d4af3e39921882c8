# release_size.cmake -- a small Release game: code nothing calls is dropped at link time
if(MINGW)
    # Each function in a section of its own, so the linker can collect the ones
    # nothing refers to. Not -fdata-sections: on this target it moves zeroed
    # variables (the 38 KB banner grid) from .bss into .data, stored in the file.
    add_compile_options($<$<CONFIG:Release>:-ffunction-sections>)
    add_link_options($<$<CONFIG:Release>:LINKER:--gc-sections>)
endif()
