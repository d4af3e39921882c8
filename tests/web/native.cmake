# native.cmake -- the host program the web bench compares the browser with: the game through Mesa
# Included from tests/CMakeLists.txt (host builds with OSMesa only).
if(CMAKE_CROSSCOMPILING OR KESTREL_SANITIZE OR NOT KESTREL_OSMESA_INCLUDE OR NOT KESTREL_OSMESA_LIBRARY)
    return()
endif()
add_executable(native_frames
    ${CMAKE_CURRENT_SOURCE_DIR}/web/native_frames.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/bench/osmesa_platform.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/support/frame_script.cpp
    ${PROJECT_SOURCE_DIR}/platform/null/frame_driver.cpp
)
target_include_directories(native_frames PRIVATE ${PROJECT_SOURCE_DIR} ${KESTREL_OSMESA_INCLUDE})
target_link_libraries(native_frames PRIVATE kestrel_core ${KESTREL_OSMESA_LIBRARY})
