# web.cmake -- the browser game (emscripten) into build/web, the simulator under node, the browser tests
# Included from the top-level CMakeLists.txt when the toolchain is emscripten:
#   emcmake cmake -S . -B build/wasm -DKESTREL_TESTS=OFF -DCMAKE_BUILD_TYPE=Release
set(KESTREL_WEB_DIR ${PROJECT_SOURCE_DIR}/build/web CACHE PATH "Where the web game's files go")
set(web_source_dir ${PROJECT_SOURCE_DIR}/platform/web)

# emscripten's JavaScript optimiser, run at link time, needs Debian's node modules.
set(web_link_launcher ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)

add_executable(kestrel-forges
    ${web_source_dir}/main.cpp
    ${web_source_dir}/startup.cpp
    ${web_source_dir}/main_loop.cpp
    ${web_source_dir}/input.cpp
    ${web_source_dir}/help.cpp
    ${web_source_dir}/platform.cpp
    ${web_source_dir}/opengl.cpp
    ${web_source_dir}/probe.cpp
)
target_link_libraries(kestrel-forges PRIVATE kestrel_core)
set_target_properties(kestrel-forges PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${KESTREL_WEB_DIR}
    LINK_DEPENDS "${web_source_dir}/page.js;${web_source_dir}/probe.js;${web_source_dir}/touch.js" CXX_LINKER_LAUNCHER "${web_link_launcher}")
# The page's own WebGL drawing and no file system: the game reads no files.
target_link_options(kestrel-forges PRIVATE
    "SHELL:--js-library ${web_source_dir}/page.js" "SHELL:--js-library ${web_source_dir}/probe.js"
    "SHELL:--js-library ${web_source_dir}/touch.js"
    -sENVIRONMENT=web -sFILESYSTEM=0 -sMALLOC=emmalloc -sINITIAL_MEMORY=16MB
    -sEXPORTED_RUNTIME_METHODS=[] -sSUPPORT_LONGJMP=0)
# Nothing evaluated from text, so the page's Content-Security-Policy can forbid it.
target_link_options(kestrel-forges PRIVATE -sDYNAMIC_EXECUTION=0)
foreach(name IN ITEMS index.html index.js index.css)
    configure_file(${web_source_dir}/${name} ${KESTREL_WEB_DIR}/${name} COPYONLY)
endforeach()
# Beside the page wherever it is served: what the game's code owes to Emscripten's.
configure_file(${PROJECT_SOURCE_DIR}/docs/THIRD-PARTY-NOTICES-web.txt ${KESTREL_WEB_DIR}/THIRD-PARTY-NOTICES.txt
    COPYONLY)
configure_file(${PROJECT_SOURCE_DIR}/resources/gamesound.wav ${KESTREL_WEB_DIR}/gamesound.wav COPYONLY)
# What an installed page shows: its manifest and the icon art at the two sizes browsers ask for.
configure_file(${web_source_dir}/kestrel-forges.webmanifest ${KESTREL_WEB_DIR}/kestrel-forges.webmanifest COPYONLY)
foreach(size IN ITEMS 192 512)
    configure_file(${PROJECT_SOURCE_DIR}/resources/web/kestrel-forges-${size}.png
        ${KESTREL_WEB_DIR}/kestrel-forges-${size}.png COPYONLY)
endforeach()

# The service worker caches every file of the page under a name that follows their contents.
set(web_cached_files index.html index.js index.css kestrel-forges.js kestrel-forges.wasm gamesound.wav
    kestrel-forges.webmanifest kestrel-forges-192.png kestrel-forges-512.png)
list(TRANSFORM web_cached_files PREPEND ${KESTREL_WEB_DIR}/ OUTPUT_VARIABLE web_cached_paths)
add_custom_command(OUTPUT ${KESTREL_WEB_DIR}/service-worker.js
    COMMAND ${CMAKE_COMMAND} -DWEB_DIR=${KESTREL_WEB_DIR} -DTEMPLATE=${web_source_dir}/service-worker.js
            "-DFILES=${web_cached_files}" -P ${PROJECT_SOURCE_DIR}/cmake/web_worker.cmake
    DEPENDS kestrel-forges ${web_cached_paths} ${web_source_dir}/service-worker.js
            ${PROJECT_SOURCE_DIR}/cmake/web_worker.cmake
    VERBATIM)
add_custom_target(kestrel-forges-worker ALL DEPENDS ${KESTREL_WEB_DIR}/service-worker.js)

# The simulator as a node program that reads its script from the real disk.
# Compiled at once from the file: node's fetch cannot load a local path.
target_link_options(simulate PRIVATE -sNODERAWFS=1 -sENVIRONMENT=node -sEXIT_RUNTIME=1
    -sWASM_ASYNC_COMPILATION=0)
set_target_properties(simulate PROPERTIES CXX_LINKER_LAUNCHER "${web_link_launcher}")
find_program(KESTREL_NODE NAMES nodejs node REQUIRED)

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

enable_testing()
set(web_test_dir ${PROJECT_SOURCE_DIR}/tests/web)
set(replay_source_dir ${PROJECT_SOURCE_DIR}/tests/replays)

# Every replay's trace from the Windows runtime, frame for frame, under node.
file(GLOB replay_scripts CONFIGURE_DEPENDS ${replay_source_dir}/*.keys)
foreach(script IN LISTS replay_scripts)
    get_filename_component(name ${script} NAME_WE)
    add_test(NAME web_replay_${name} COMMAND ${CMAKE_COMMAND}
        -DRUNNER=${KESTREL_NODE} -DSIMULATE=$<TARGET_FILE:simulate>
        -DKEYS=${script} -DEXPECTED=${replay_source_dir}/${name}.trace
        -DACTUAL=${CMAKE_BINARY_DIR}/replays/${name}.actual
        -P ${PROJECT_SOURCE_DIR}/tests/stress/compare_trace.cmake)
    set_tests_properties(web_replay_${name} PROPERTIES LABELS web TIMEOUT 120)
endforeach()

# The browser layer: puppeteer-core from the committed lockfile, installed in
# the build folder, then the game in headless Chromium against a local server.
set(web_node_dir ${CMAKE_BINARY_DIR}/web-tests)
add_test(NAME web_npm_ci COMMAND ${CMAKE_COMMAND}
    -DSOURCE=${web_test_dir} -DWORK=${web_node_dir} -P ${web_test_dir}/npm_ci.cmake)
set_tests_properties(web_npm_ci PROPERTIES FIXTURES_SETUP web_node LABELS web TIMEOUT 600)
# Pictures are compared with the native build's Mesa program (tests/web/native_frames.cpp).
set(KESTREL_NATIVE_FRAMES ${PROJECT_SOURCE_DIR}/build/native/tests/native_frames CACHE FILEPATH
    "The native build's native_frames, for pictures and frame times through Mesa")
set(web_environment "NODE_PATH=${web_node_dir}/node_modules;KESTREL_WEB_DIR=${KESTREL_WEB_DIR};KESTREL_SOURCE_DIR=${PROJECT_SOURCE_DIR};KESTREL_SHOTS=${CMAKE_BINARY_DIR}/screenshots;KESTREL_NATIVE_FRAMES=${KESTREL_NATIVE_FRAMES}")
add_test(NAME web_browser COMMAND ${KESTREL_NODE} ${web_test_dir}/browser_test.js)
set_tests_properties(web_browser PROPERTIES LABELS web FIXTURES_REQUIRED web_node TIMEOUT 600
    RESOURCE_LOCK chromium ENVIRONMENT "${web_environment}")

# The installable page: offline starts, a new release's cache, pages where no worker is offered.
add_test(NAME web_offline COMMAND ${KESTREL_NODE} ${web_test_dir}/offline_test.js)
set_tests_properties(web_offline PROPERTIES LABELS web FIXTURES_REQUIRED web_node TIMEOUT 300
    RESOURCE_LOCK chromium ENVIRONMENT "${web_environment};KESTREL_CMAKE=${CMAKE_COMMAND}")

# The web zip, built as make package builds it: its entries and the notices the game's code owes.
add_test(NAME web_zip_build COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target package_web_zip)
add_test(NAME web_zip COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tests/check_archive.py
    ${CMAKE_BINARY_DIR}/${web_package_name}.zip ${PROJECT_SOURCE_DIR}/scripts/pack-zip.py ${web_package_name}
    ${web_package_entries})
set_tests_properties(web_zip_build PROPERTIES FIXTURES_SETUP web_zip LABELS web TIMEOUT 300)
set_tests_properties(web_zip PROPERTIES FIXTURES_REQUIRED web_zip LABELS web TIMEOUT 60)

# Frame work side by side with the desktop rasterizer, first frame, sizes.
add_test(NAME web_bench COMMAND ${KESTREL_NODE} ${web_test_dir}/bench.js)
set_tests_properties(web_bench PROPERTIES LABELS bench FIXTURES_REQUIRED web_node TIMEOUT 600
    RESOURCE_LOCK chromium ENVIRONMENT "${web_environment};KESTREL_BENCH_OUTPUT=${CMAKE_BINARY_DIR}/web-bench.json")
