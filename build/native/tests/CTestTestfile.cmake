# CMake generated Testfile for 
# Source directory: /work/main/tests
# Build directory: /work/main/build/native/tests
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
include("/work/main/build/native/tests/unit_tests[1]_include.cmake")
include("/work/main/build/native/tests/picture_test[1]_include.cmake")
add_test([=[tune_test]=] "/work/main/build/native/tests/tune_test")
set_tests_properties([=[tune_test]=] PROPERTIES  LABELS "unit" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;77;add_test;/work/main/tests/CMakeLists.txt;0;")
add_test([=[generated_icon107.ico]=] "/usr/bin/cmake" "-DTOOL=/work/main/build/native/tools/icon_gen" "-DOUTPUT=/work/main/build/native/tests/icon107.ico" "-DEXPECTED=/work/main/resources/icon107.ico" "-P" "/work/main/cmake/check_generated.cmake")
set_tests_properties([=[generated_icon107.ico]=] PROPERTIES  LABELS "unit" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;90;add_test;/work/main/tests/CMakeLists.txt;0;")
add_test([=[generated_icon108.ico]=] "/usr/bin/cmake" "-DTOOL=/work/main/build/native/tools/icon_gen" "-DOUTPUT=/work/main/build/native/tests/icon108.ico" "-DEXPECTED=/work/main/resources/icon108.ico" "-P" "/work/main/cmake/check_generated.cmake")
set_tests_properties([=[generated_icon108.ico]=] PROPERTIES  LABELS "unit" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;90;add_test;/work/main/tests/CMakeLists.txt;0;")
add_test([=[generated_gamesound.wav]=] "/usr/bin/cmake" "-DTOOL=/work/main/build/native/tools/tune_gen" "-DOUTPUT=/work/main/build/native/tests/gamesound.wav" "-DEXPECTED=/work/main/resources/gamesound.wav" "-P" "/work/main/cmake/check_generated.cmake")
set_tests_properties([=[generated_gamesound.wav]=] PROPERTIES  LABELS "unit" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;90;add_test;/work/main/tests/CMakeLists.txt;0;")
add_test([=[generated_car_model_data.cpp]=] "/usr/bin/cmake" "-DTOOL=/work/main/build/native/tools/car_model_gen" "-DOUTPUT=/work/main/build/native/tests/car_model_data.cpp" "-DEXPECTED=/work/main/render/car_model_data.cpp" "-P" "/work/main/cmake/check_generated.cmake")
set_tests_properties([=[generated_car_model_data.cpp]=] PROPERTIES  LABELS "unit" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;90;add_test;/work/main/tests/CMakeLists.txt;0;")
add_test([=[frame_bench]=] "/usr/bin/cmake" "-DNULL_GL_BENCH=/work/main/build/native/tests/frame_bench_null_gl" "-DOSMESA_BENCH=/work/main/build/native/tests/frame_bench_osmesa" "-DMIN_TIME=0.05" "-DOUTPUT=/work/main/build/native/bench-results.json" "-P" "/work/main/tests/bench/run_frame_bench.cmake")
set_tests_properties([=[frame_bench]=] PROPERTIES  LABELS "bench" TIMEOUT "300" _BACKTRACE_TRIPLES "/work/main/tests/bench/bench.cmake;59;add_test;/work/main/tests/bench/bench.cmake;0;;/work/main/tests/CMakeLists.txt;99;include;/work/main/tests/CMakeLists.txt;0;")
subdirs("../googletest")
