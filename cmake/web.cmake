# web.cmake -- the browser game (emscripten) into build/web, its zip, and the simulator under node
# Included from the top-level CMakeLists.txt when the toolchain is emscripten:
#   emcmake cmake -S . -B build/wasm -DKESTREL_TESTS=OFF -DCMAKE_BUILD_TYPE=Release
# With the tests, the browser layer builds the same page again, with the probe
# its tests read, in a folder of its own.
set(KESTREL_WEB_DIR ${PROJECT_SOURCE_DIR}/build/web CACHE PATH "Where the web game's files go")
set(web_source_dir ${PROJECT_SOURCE_DIR}/platform/web)

# emscripten's JavaScript optimiser, run at link time, needs Debian's node modules.
set(web_link_launcher ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)

# The files of a page of the game, which its service worker caches under a
# name that follows their contents.
set(web_cached_files index.html index.js index.css kestrel-forges.js kestrel-forges.wasm gamesound.wav
    kestrel-forges.webmanifest kestrel-forges-192.png kestrel-forges-512.png)

# A page of the game in folder: target links kestrel-forges.js and .wasm there,
# beside the page's own files and its service worker (target-worker).
function(add_web_page target folder)
    add_executable(${target}
        ${web_source_dir}/main.cpp
        ${web_source_dir}/startup.cpp
        ${web_source_dir}/main_loop.cpp
        ${web_source_dir}/input.cpp
        ${web_source_dir}/help.cpp
        ${web_source_dir}/record.cpp
        ${web_source_dir}/platform.cpp
        ${web_source_dir}/opengl.cpp
    )
    target_link_libraries(${target} PRIVATE kestrel_core)
    set_target_properties(${target} PROPERTIES OUTPUT_NAME kestrel-forges RUNTIME_OUTPUT_DIRECTORY ${folder}
        LINK_DEPENDS "${web_source_dir}/page.js;${web_source_dir}/touch.js" CXX_LINKER_LAUNCHER "${web_link_launcher}")
    # The page's own WebGL drawing and no file system: the game reads no files.
    target_link_options(${target} PRIVATE
        "SHELL:--js-library ${web_source_dir}/page.js" "SHELL:--js-library ${web_source_dir}/touch.js"
        -sENVIRONMENT=web -sFILESYSTEM=0 -sMALLOC=emmalloc -sINITIAL_MEMORY=16MB
        -sEXPORTED_RUNTIME_METHODS=[] -sSUPPORT_LONGJMP=0)
    # Nothing evaluated from text, so the page's Content-Security-Policy can forbid it.
    target_link_options(${target} PRIVATE -sDYNAMIC_EXECUTION=0)
    foreach(name IN ITEMS index.html index.js index.css)
        configure_file(${web_source_dir}/${name} ${folder}/${name} COPYONLY)
    endforeach()
    # Beside the page wherever it is served: what the game's code owes to Emscripten's.
    configure_file(${PROJECT_SOURCE_DIR}/docs/THIRD-PARTY-NOTICES-web.txt ${folder}/THIRD-PARTY-NOTICES.txt COPYONLY)
    configure_file(${PROJECT_SOURCE_DIR}/resources/gamesound.wav ${folder}/gamesound.wav COPYONLY)
    # What an installed page shows: its manifest and the icon art at the two sizes browsers ask for.
    configure_file(${web_source_dir}/kestrel-forges.webmanifest ${folder}/kestrel-forges.webmanifest COPYONLY)
    foreach(size IN ITEMS 192 512)
        configure_file(${PROJECT_SOURCE_DIR}/resources/web/kestrel-forges-${size}.png
            ${folder}/kestrel-forges-${size}.png COPYONLY)
    endforeach()

    list(TRANSFORM web_cached_files PREPEND ${folder}/ OUTPUT_VARIABLE cached_paths)
    add_custom_command(OUTPUT ${folder}/service-worker.js
        COMMAND ${CMAKE_COMMAND} -DWEB_DIR=${folder} -DTEMPLATE=${web_source_dir}/service-worker.js
                "-DFILES=${web_cached_files}" -P ${PROJECT_SOURCE_DIR}/cmake/web_worker.cmake
        DEPENDS ${target} ${cached_paths} ${web_source_dir}/service-worker.js
                ${PROJECT_SOURCE_DIR}/cmake/web_worker.cmake
        VERBATIM)
    add_custom_target(${target}-worker ALL DEPENDS ${folder}/service-worker.js)
endfunction()

# The release page: the one make web, make run-web and make package serve and pack.
add_web_page(kestrel-forges ${KESTREL_WEB_DIR})

# The simulator as a node program that reads its script from the real disk.
# Compiled at once from the file: node's fetch cannot load a local path.
target_link_options(simulate PRIVATE -sNODERAWFS=1 -sENVIRONMENT=node -sEXIT_RUNTIME=1
    -sWASM_ASYNC_COMPILATION=0)
set_target_properties(simulate PROPERTIES CXX_LINKER_LAUNCHER "${web_link_launcher}")

find_package(Python3 COMPONENTS Interpreter)
if(Python3_Interpreter_FOUND)
    set(web_package_name KestrelForges-${PROJECT_VERSION}-web)
    set(web_package_entries "")
    foreach(name IN LISTS web_cached_files ITEMS service-worker.js)
        list(APPEND web_package_entries ${KESTREL_WEB_DIR}/${name}=${name})
    endforeach()
    list(APPEND web_package_entries ${PROJECT_SOURCE_DIR}/docs/README-web.txt=README.txt
        ${PROJECT_SOURCE_DIR}/LICENSE=LICENSE.txt ${KESTREL_WEB_DIR}/THIRD-PARTY-NOTICES.txt=THIRD-PARTY-NOTICES.txt)
    add_custom_target(package_web_zip
        COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/scripts/pack-zip.py
                ${CMAKE_BINARY_DIR}/${web_package_name}.zip ${web_package_name} ${web_package_entries}
        DEPENDS kestrel-forges kestrel-forges-worker
        VERBATIM)
endif()

