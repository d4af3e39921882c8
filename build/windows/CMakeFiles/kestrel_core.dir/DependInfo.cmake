
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/banner/banner_grid.cpp" "CMakeFiles/kestrel_core.dir/banner/banner_grid.cpp.obj" "gcc" "CMakeFiles/kestrel_core.dir/banner/banner_grid.cpp.obj.d"
  "/work/main/banner/banner_text.cpp" "CMakeFiles/kestrel_core.dir/banner/banner_text.cpp.obj" "gcc" "CMakeFiles/kestrel_core.dir/banner/banner_text.cpp.obj.d"
  "/work/main/banner/pixel_font.cpp" "CMakeFiles/kestrel_core.dir/banner/pixel_font.cpp.obj" "gcc" "CMakeFiles/kestrel_core.dir/banner/pixel_font.cpp.obj.d"
  "/work/main/game/frame.cpp" "CMakeFiles/kestrel_core.dir/game/frame.cpp.obj" "gcc" "CMakeFiles/kestrel_core.dir/game/frame.cpp.obj.d"
  "/work/main/game/game_state.cpp" "CMakeFiles/kestrel_core.dir/game/game_state.cpp.obj" "gcc" "CMakeFiles/kestrel_core.dir/game/game_state.cpp.obj.d"
  "/work/main/game/key_latch.cpp" "CMakeFiles/kestrel_core.dir/game/key_latch.cpp.obj" "gcc" "CMakeFiles/kestrel_core.dir/game/key_latch.cpp.obj.d"
  "/work/main/game/steering.cpp" "CMakeFiles/kestrel_core.dir/game/steering.cpp.obj" "gcc" "CMakeFiles/kestrel_core.dir/game/steering.cpp.obj.d"
  "/work/main/game/waves.cpp" "CMakeFiles/kestrel_core.dir/game/waves.cpp.obj" "gcc" "CMakeFiles/kestrel_core.dir/game/waves.cpp.obj.d"
  "/work/main/render/car_model_data.cpp" "CMakeFiles/kestrel_core.dir/render/car_model_data.cpp.obj" "gcc" "CMakeFiles/kestrel_core.dir/render/car_model_data.cpp.obj.d"
  "/work/main/render/draw_model.cpp" "CMakeFiles/kestrel_core.dir/render/draw_model.cpp.obj" "gcc" "CMakeFiles/kestrel_core.dir/render/draw_model.cpp.obj.d"
  "/work/main/render/scene_composition.cpp" "CMakeFiles/kestrel_core.dir/render/scene_composition.cpp.obj" "gcc" "CMakeFiles/kestrel_core.dir/render/scene_composition.cpp.obj.d"
  "/work/main/render/scene_models.cpp" "CMakeFiles/kestrel_core.dir/render/scene_models.cpp.obj" "gcc" "CMakeFiles/kestrel_core.dir/render/scene_models.cpp.obj.d"
  "/work/main/render/scene_setup.cpp" "CMakeFiles/kestrel_core.dir/render/scene_setup.cpp.obj" "gcc" "CMakeFiles/kestrel_core.dir/render/scene_setup.cpp.obj.d"
  "/work/main/sound/music.cpp" "CMakeFiles/kestrel_core.dir/sound/music.cpp.obj" "gcc" "CMakeFiles/kestrel_core.dir/sound/music.cpp.obj.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
