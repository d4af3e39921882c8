file(REMOVE_RECURSE
  "CMakeFiles/unit_tests.dir/banner_test.cpp.o"
  "CMakeFiles/unit_tests.dir/banner_test.cpp.o.d"
  "CMakeFiles/unit_tests.dir/car_model_test.cpp.o"
  "CMakeFiles/unit_tests.dir/car_model_test.cpp.o.d"
  "CMakeFiles/unit_tests.dir/mode_machine_test.cpp.o"
  "CMakeFiles/unit_tests.dir/mode_machine_test.cpp.o.d"
  "CMakeFiles/unit_tests.dir/music_test.cpp.o"
  "CMakeFiles/unit_tests.dir/music_test.cpp.o.d"
  "CMakeFiles/unit_tests.dir/scene_test.cpp.o"
  "CMakeFiles/unit_tests.dir/scene_test.cpp.o.d"
  "CMakeFiles/unit_tests.dir/steering_test.cpp.o"
  "CMakeFiles/unit_tests.dir/steering_test.cpp.o.d"
  "CMakeFiles/unit_tests.dir/support/frame_script.cpp.o"
  "CMakeFiles/unit_tests.dir/support/frame_script.cpp.o.d"
  "CMakeFiles/unit_tests.dir/support/gl_recorder.cpp.o"
  "CMakeFiles/unit_tests.dir/support/gl_recorder.cpp.o.d"
  "CMakeFiles/unit_tests.dir/support/platform_recorder.cpp.o"
  "CMakeFiles/unit_tests.dir/support/platform_recorder.cpp.o.d"
  "CMakeFiles/unit_tests.dir/waves_test.cpp.o"
  "CMakeFiles/unit_tests.dir/waves_test.cpp.o.d"
  "CMakeFiles/unit_tests.dir/whole_run_test.cpp.o"
  "CMakeFiles/unit_tests.dir/whole_run_test.cpp.o.d"
  "unit_tests"
  "unit_tests.pdb"
  "unit_tests[1]_tests.cmake"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/unit_tests.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
