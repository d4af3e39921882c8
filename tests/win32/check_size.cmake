# check_size.cmake -- fails when the game executable has grown past its limit
# Usage: cmake -DEXE=<KestrelForges.exe> -DLIMIT=<bytes> -P check_size.cmake
file(SIZE ${EXE} size)
if(size GREATER LIMIT)
    message(FATAL_ERROR "${EXE} is ${size} bytes, over the limit of ${LIMIT}: look at its sections with objdump -h")
endif()
message(STATUS "${EXE} is ${size} bytes (limit ${LIMIT})")
