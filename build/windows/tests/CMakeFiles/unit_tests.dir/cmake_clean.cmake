file(REMOVE_RECURSE
  "CMakeFiles/unit_tests.dir/banner_test.cpp.obj"
  "CMakeFiles/unit_tests.dir/banner_test.cpp.obj.d"
  "CMakeFiles/unit_tests.dir/car_model_test.cpp.obj"
  "CMakeFiles/unit_tests.dir/car_model_test.cpp.obj.d"
  "CMakeFiles/unit_tests.dir/mode_machine_test.cpp.obj"
  "CMakeFiles/unit_tests.dir/mode_machine_test.cpp.obj.d"
  "CMakeFiles/unit_tests.dir/music_test.cpp.obj"
  "CMakeFiles/unit_tests.dir/music_test.cpp.obj.d"
  "CMakeFiles/unit_tests.dir/scene_test.cpp.obj"
  "CMakeFiles/unit_tests.dir/scene_test.cpp.obj.d"
  "CMakeFiles/unit_tests.dir/steering_test.cpp.obj"
  "CMakeFiles/unit_tests.dir/steering_test.cpp.obj.d"
  "CMakeFiles/unit_tests.dir/support/frame_script.cpp.obj"
  "CMakeFiles/unit_tests.dir/support/frame_script.cpp.obj.d"
  "CMakeFiles/unit_tests.dir/support/gl_recorder.cpp.obj"
  "CMakeFiles/unit_tests.dir/support/gl_recorder.cpp.obj.d"
  "CMakeFiles/unit_tests.dir/support/platform_recorder.cpp.obj"
  "CMakeFiles/unit_tests.dir/support/platform_recorder.cpp.obj.d"
  "CMakeFiles/unit_tests.dir/waves_test.cpp.obj"
  "CMakeFiles/unit_tests.dir/waves_test.cpp.obj.d"
  "CMakeFiles/unit_tests.dir/whole_run_test.cpp.obj"
  "CMakeFiles/unit_tests.dir/whole_run_test.cpp.obj.d"
  "libunit_tests.dll.a"
  "unit_tests.exe"
  "unit_tests.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/unit_tests.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
