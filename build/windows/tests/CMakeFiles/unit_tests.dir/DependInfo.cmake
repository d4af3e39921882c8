
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/tests/banner_test.cpp" "tests/CMakeFiles/unit_tests.dir/banner_test.cpp.obj" "gcc" "tests/CMakeFiles/unit_tests.dir/banner_test.cpp.obj.d"
  "/work/main/tests/car_model_test.cpp" "tests/CMakeFiles/unit_tests.dir/car_model_test.cpp.obj" "gcc" "tests/CMakeFiles/unit_tests.dir/car_model_test.cpp.obj.d"
  "/work/main/tests/mode_machine_test.cpp" "tests/CMakeFiles/unit_tests.dir/mode_machine_test.cpp.obj" "gcc" "tests/CMakeFiles/unit_tests.dir/mode_machine_test.cpp.obj.d"
  "/work/main/tests/music_test.cpp" "tests/CMakeFiles/unit_tests.dir/music_test.cpp.obj" "gcc" "tests/CMakeFiles/unit_tests.dir/music_test.cpp.obj.d"
  "/work/main/tests/scene_test.cpp" "tests/CMakeFiles/unit_tests.dir/scene_test.cpp.obj" "gcc" "tests/CMakeFiles/unit_tests.dir/scene_test.cpp.obj.d"
  "/work/main/tests/steering_test.cpp" "tests/CMakeFiles/unit_tests.dir/steering_test.cpp.obj" "gcc" "tests/CMakeFiles/unit_tests.dir/steering_test.cpp.obj.d"
  "/work/main/tests/support/frame_script.cpp" "tests/CMakeFiles/unit_tests.dir/support/frame_script.cpp.obj" "gcc" "tests/CMakeFiles/unit_tests.dir/support/frame_script.cpp.obj.d"
  "/work/main/tests/support/gl_recorder.cpp" "tests/CMakeFiles/unit_tests.dir/support/gl_recorder.cpp.obj" "gcc" "tests/CMakeFiles/unit_tests.dir/support/gl_recorder.cpp.obj.d"
  "/work/main/tests/support/platform_recorder.cpp" "tests/CMakeFiles/unit_tests.dir/support/platform_recorder.cpp.obj" "gcc" "tests/CMakeFiles/unit_tests.dir/support/platform_recorder.cpp.obj.d"
  "/work/main/tests/waves_test.cpp" "tests/CMakeFiles/unit_tests.dir/waves_test.cpp.obj" "gcc" "tests/CMakeFiles/unit_tests.dir/waves_test.cpp.obj.d"
  "/work/main/tests/whole_run_test.cpp" "tests/CMakeFiles/unit_tests.dir/whole_run_test.cpp.obj" "gcc" "tests/CMakeFiles/unit_tests.dir/whole_run_test.cpp.obj.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/main/build/windows/CMakeFiles/kestrel_core.dir/DependInfo.cmake"
  "/work/main/build/windows/googletest/googletest/CMakeFiles/gtest_main.dir/DependInfo.cmake"
  "/work/main/build/windows/googletest/googletest/CMakeFiles/gtest.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
