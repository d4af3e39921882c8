# CMake generated Testfile for 
# Source directory: /work/main/tests
# Build directory: /work/main/build/windows/tests
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
add_test([=[wine_prefix]=] "/usr/bin/cmake" "-E" "env" "KESTREL_BUILD_DIR=/work/main/build/windows" "/work/main/scripts/wine-boot.sh")
set_tests_properties([=[wine_prefix]=] PROPERTIES  FIXTURES_SETUP "wine" LABELS "win32" TIMEOUT "300" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;37;add_test;/work/main/tests/CMakeLists.txt;0;")
add_test([=[unit_tests]=] "/work/main/cmake/../scripts/wine-run.sh" "/work/main/build/windows/tests/unit_tests.exe")
set_tests_properties([=[unit_tests]=] PROPERTIES  ENVIRONMENT "KESTREL_BUILD_DIR=/work/main/build/windows" FIXTURES_REQUIRED "wine" LABELS "win32" RESOURCE_LOCK "wine_session" TIMEOUT "600" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;40;add_test;/work/main/tests/CMakeLists.txt;0;")
add_test([=[tune_test]=] "/work/main/cmake/../scripts/wine-run.sh" "/work/main/build/windows/tests/tune_test.exe")
set_tests_properties([=[tune_test]=] PROPERTIES  ENVIRONMENT "KESTREL_BUILD_DIR=/work/main/build/windows" FIXTURES_REQUIRED "wine" LABELS "win32" RESOURCE_LOCK "wine_session" TIMEOUT "120" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;43;add_test;/work/main/tests/CMakeLists.txt;0;")
add_test([=[resource_check_test]=] "/work/main/cmake/../scripts/wine-run.sh" "/work/main/build/windows/tests/resource_check_test.exe")
set_tests_properties([=[resource_check_test]=] PROPERTIES  ENVIRONMENT "KESTREL_BUILD_DIR=/work/main/build/windows;KESTREL_EXE=/work/main/build/windows/KestrelForges.exe" FIXTURES_REQUIRED "wine" LABELS "win32" RESOURCE_LOCK "wine_session" TIMEOUT "120" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;50;add_test;/work/main/tests/CMakeLists.txt;0;")
add_test([=[game_imports]=] "bash" "/work/main/tests/win32/check_imports.sh" "/work/main/build/windows/KestrelForges.exe" "x86_64-w64-mingw32-objdump")
set_tests_properties([=[game_imports]=] PROPERTIES  LABELS "win32" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;53;add_test;/work/main/tests/CMakeLists.txt;0;")
add_test([=[e2e_shell_1920x1080]=] "/root/.pyenv/shims/python3" "/work/main/tests/e2e/test_shell.py" "1920" "1080")
set_tests_properties([=[e2e_shell_1920x1080]=] PROPERTIES  ENVIRONMENT "KESTREL_BUILD_DIR=/work/main/build/windows;KESTREL_EXE_DIR=/work/main/build/windows;KESTREL_PROBE=/work/main/build/windows/tests/probe.exe;KESTREL_SHOTS=/work/main/build/windows/screenshots" FIXTURES_REQUIRED "wine" LABELS "e2e" RESOURCE_LOCK "wine_session" TIMEOUT "300" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;71;add_test;/work/main/tests/CMakeLists.txt;0;")
add_test([=[e2e_shell_1280x1024]=] "/root/.pyenv/shims/python3" "/work/main/tests/e2e/test_shell.py" "1280" "1024")
set_tests_properties([=[e2e_shell_1280x1024]=] PROPERTIES  ENVIRONMENT "KESTREL_BUILD_DIR=/work/main/build/windows;KESTREL_EXE_DIR=/work/main/build/windows;KESTREL_PROBE=/work/main/build/windows/tests/probe.exe;KESTREL_SHOTS=/work/main/build/windows/screenshots" FIXTURES_REQUIRED "wine" LABELS "e2e" RESOURCE_LOCK "wine_session" TIMEOUT "300" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;71;add_test;/work/main/tests/CMakeLists.txt;0;")
add_test([=[e2e_play_1920x1080]=] "/root/.pyenv/shims/python3" "/work/main/tests/e2e/test_play.py" "1920" "1080")
set_tests_properties([=[e2e_play_1920x1080]=] PROPERTIES  ENVIRONMENT "KESTREL_BUILD_DIR=/work/main/build/windows;KESTREL_EXE_DIR=/work/main/build/windows;KESTREL_PROBE=/work/main/build/windows/tests/probe.exe;KESTREL_SHOTS=/work/main/build/windows/screenshots" FIXTURES_REQUIRED "wine" LABELS "e2e" RESOURCE_LOCK "wine_session" TIMEOUT "300" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;71;add_test;/work/main/tests/CMakeLists.txt;0;")
add_test([=[shell_tests]=] "bash" "/work/main/scripts/with-xvfb.sh" "/work/main/build/windows/tests/shell_tests.exe")
set_tests_properties([=[shell_tests]=] PROPERTIES  ENVIRONMENT "KESTREL_BUILD_DIR=/work/main/build/windows" FIXTURES_REQUIRED "wine" LABELS "win32" RESOURCE_LOCK "wine_session" TIMEOUT "300" _BACKTRACE_TRIPLES "/work/main/tests/win32/shell_tests.cmake;8;add_test;/work/main/tests/win32/shell_tests.cmake;0;;/work/main/tests/CMakeLists.txt;98;include;/work/main/tests/CMakeLists.txt;0;")
subdirs("../googletest")
