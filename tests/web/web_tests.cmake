# web_tests.cmake -- the browser layer: the replays under node, the game in headless Chromium, the web zip, the bench
# Included from tests/CMakeLists.txt when the toolchain is emscripten: CMAKE_CURRENT_SOURCE_DIR is tests/.
set(web_test_dir ${CMAKE_CURRENT_SOURCE_DIR}/web)
set(replay_source_dir ${CMAKE_CURRENT_SOURCE_DIR}/replays)
find_program(KESTREL_NODE NAMES nodejs node REQUIRED)

# The page under test: the release page built again, with the probe the tests
# and the bench read (Module.kestrel), which watches every pass. The release
# page in build/web has none.
set(web_test_page_dir ${CMAKE_BINARY_DIR}/test-page)
add_web_page(kestrel-forges-probed ${web_test_page_dir})
target_sources(kestrel-forges-probed PRIVATE ${web_source_dir}/probe.cpp)
target_link_options(kestrel-forges-probed PRIVATE "SHELL:--js-library ${web_source_dir}/probe.js")
set_property(TARGET kestrel-forges-probed APPEND PROPERTY LINK_DEPENDS ${web_source_dir}/probe.js)

# Every replay's trace from the Windows runtime, frame for frame, under node.
file(GLOB replay_scripts CONFIGURE_DEPENDS ${replay_source_dir}/*.keys)
foreach(script IN LISTS replay_scripts)
    get_filename_component(name ${script} NAME_WE)
    add_test(NAME web_replay_${name} COMMAND ${CMAKE_COMMAND}
        -DRUNNER=${KESTREL_NODE} -DSIMULATE=$<TARGET_FILE:simulate>
        -DKEYS=${script} -DEXPECTED=${replay_source_dir}/${name}.trace
        -DACTUAL=${CMAKE_BINARY_DIR}/replays/${name}.actual
        -P ${CMAKE_CURRENT_SOURCE_DIR}/stress/compare_trace.cmake)
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
# The sizes the bench reports are the release page's.
set(web_environment "NODE_PATH=${web_node_dir}/node_modules;KESTREL_WEB_DIR=${web_test_page_dir};KESTREL_RELEASE_WEB_DIR=${KESTREL_WEB_DIR};KESTREL_SOURCE_DIR=${PROJECT_SOURCE_DIR};KESTREL_SHOTS=${CMAKE_BINARY_DIR}/screenshots;KESTREL_NATIVE_FRAMES=${KESTREL_NATIVE_FRAMES}")
add_test(NAME web_browser COMMAND ${KESTREL_NODE} ${web_test_dir}/browser_test.js)
set_tests_properties(web_browser PROPERTIES LABELS web FIXTURES_REQUIRED web_node TIMEOUT 600
    RESOURCE_LOCK chromium ENVIRONMENT "${web_environment}")

# The installable page: offline starts, a new release's cache, pages where no worker is offered.
add_test(NAME web_offline COMMAND ${KESTREL_NODE} ${web_test_dir}/offline_test.js)
set_tests_properties(web_offline PROPERTIES LABELS web FIXTURES_REQUIRED web_node TIMEOUT 300
    RESOURCE_LOCK chromium ENVIRONMENT "${web_environment};KESTREL_CMAKE=${CMAKE_COMMAND}")

# The web zip, built as make package builds it: its entries and the notices the game's code owes.
add_test(NAME web_zip_build COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target package_web_zip)
add_test(NAME web_zip COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/check_archive.py
    ${CMAKE_BINARY_DIR}/${web_package_name}.zip ${PROJECT_SOURCE_DIR}/scripts/pack-zip.py ${web_package_name}
    ${web_package_entries})
set_tests_properties(web_zip_build PROPERTIES FIXTURES_SETUP web_zip LABELS web TIMEOUT 300)
set_tests_properties(web_zip PROPERTIES FIXTURES_REQUIRED web_zip LABELS web TIMEOUT 60)
# The release page and its zip carry no probe, which the page under test has.
add_test(NAME web_release_no_probe COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/house_rules.sh ${PROJECT_SOURCE_DIR} page
    ${KESTREL_WEB_DIR} ${CMAKE_BINARY_DIR}/${web_package_name}.zip ${web_test_page_dir})
set_tests_properties(web_release_no_probe PROPERTIES FIXTURES_REQUIRED web_zip LABELS web TIMEOUT 60)

# Frame work side by side with the desktop rasterizer, first frame, sizes.
add_test(NAME web_bench COMMAND ${KESTREL_NODE} ${web_test_dir}/bench.js)
set_tests_properties(web_bench PROPERTIES LABELS bench FIXTURES_REQUIRED web_node TIMEOUT 600
    RESOURCE_LOCK chromium ENVIRONMENT "${web_environment};KESTREL_BENCH_OUTPUT=${CMAKE_BINARY_DIR}/web-bench.json")
