file(REMOVE_RECURSE
  "CMakeFiles/kestrel_core.dir/banner/banner_grid.cpp.obj"
  "CMakeFiles/kestrel_core.dir/banner/banner_grid.cpp.obj.d"
  "CMakeFiles/kestrel_core.dir/banner/banner_text.cpp.obj"
  "CMakeFiles/kestrel_core.dir/banner/banner_text.cpp.obj.d"
  "CMakeFiles/kestrel_core.dir/banner/pixel_font.cpp.obj"
  "CMakeFiles/kestrel_core.dir/banner/pixel_font.cpp.obj.d"
  "CMakeFiles/kestrel_core.dir/game/frame.cpp.obj"
  "CMakeFiles/kestrel_core.dir/game/frame.cpp.obj.d"
  "CMakeFiles/kestrel_core.dir/game/game_state.cpp.obj"
  "CMakeFiles/kestrel_core.dir/game/game_state.cpp.obj.d"
  "CMakeFiles/kestrel_core.dir/game/key_latch.cpp.obj"
  "CMakeFiles/kestrel_core.dir/game/key_latch.cpp.obj.d"
  "CMakeFiles/kestrel_core.dir/game/steering.cpp.obj"
  "CMakeFiles/kestrel_core.dir/game/steering.cpp.obj.d"
  "CMakeFiles/kestrel_core.dir/game/waves.cpp.obj"
  "CMakeFiles/kestrel_core.dir/game/waves.cpp.obj.d"
  "CMakeFiles/kestrel_core.dir/render/car_model_data.cpp.obj"
  "CMakeFiles/kestrel_core.dir/render/car_model_data.cpp.obj.d"
  "CMakeFiles/kestrel_core.dir/render/draw_model.cpp.obj"
  "CMakeFiles/kestrel_core.dir/render/draw_model.cpp.obj.d"
  "CMakeFiles/kestrel_core.dir/render/scene_composition.cpp.obj"
  "CMakeFiles/kestrel_core.dir/render/scene_composition.cpp.obj.d"
  "CMakeFiles/kestrel_core.dir/render/scene_models.cpp.obj"
  "CMakeFiles/kestrel_core.dir/render/scene_models.cpp.obj.d"
  "CMakeFiles/kestrel_core.dir/render/scene_setup.cpp.obj"
  "CMakeFiles/kestrel_core.dir/render/scene_setup.cpp.obj.d"
  "CMakeFiles/kestrel_core.dir/sound/music.cpp.obj"
  "CMakeFiles/kestrel_core.dir/sound/music.cpp.obj.d"
  "libkestrel_core.a"
  "libkestrel_core.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/kestrel_core.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
