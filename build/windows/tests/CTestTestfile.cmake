# CMake generated Testfile for 
# Source directory: /work/main/tests
# Build directory: /work/main/build/windows/tests
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
add_test([=[wine_prefix]=] "/usr/bin/cmake" "-E" "env" "KESTREL_BUILD_DIR=/work/main/build/windows" "/work/main/scripts/wine-boot.sh")
set_tests_properties([=[wine_prefix]=] PROPERTIES  FIXTURES_SETUP "wine" LABELS "win32" TIMEOUT "300" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;28;add_test;/work/main/tests/CMakeLists.txt;0;")
add_test([=[unit_tests]=] "/work/main/cmake/../scripts/wine-run.sh" "/work/main/build/windows/tests/unit_tests.exe")
set_tests_properties([=[unit_tests]=] PROPERTIES  ENVIRONMENT "KESTREL_BUILD_DIR=/work/main/build/windows" FIXTURES_REQUIRED "wine" LABELS "win32" TIMEOUT "600" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;31;add_test;/work/main/tests/CMakeLists.txt;0;")
subdirs("../googletest")
