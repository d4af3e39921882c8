file(REMOVE_RECURSE
  "CMakeFiles/kestrel_core.dir/banner/banner_grid.cpp.o"
  "CMakeFiles/kestrel_core.dir/banner/banner_grid.cpp.o.d"
  "CMakeFiles/kestrel_core.dir/banner/banner_text.cpp.o"
  "CMakeFiles/kestrel_core.dir/banner/banner_text.cpp.o.d"
  "CMakeFiles/kestrel_core.dir/banner/pixel_font.cpp.o"
  "CMakeFiles/kestrel_core.dir/banner/pixel_font.cpp.o.d"
  "CMakeFiles/kestrel_core.dir/game/frame.cpp.o"
  "CMakeFiles/kestrel_core.dir/game/frame.cpp.o.d"
  "CMakeFiles/kestrel_core.dir/game/game_state.cpp.o"
  "CMakeFiles/kestrel_core.dir/game/game_state.cpp.o.d"
  "CMakeFiles/kestrel_core.dir/game/key_latch.cpp.o"
  "CMakeFiles/kestrel_core.dir/game/key_latch.cpp.o.d"
  "CMakeFiles/kestrel_core.dir/game/steering.cpp.o"
  "CMakeFiles/kestrel_core.dir/game/steering.cpp.o.d"
  "CMakeFiles/kestrel_core.dir/game/waves.cpp.o"
  "CMakeFiles/kestrel_core.dir/game/waves.cpp.o.d"
  "CMakeFiles/kestrel_core.dir/render/car_model_data.cpp.o"
  "CMakeFiles/kestrel_core.dir/render/car_model_data.cpp.o.d"
  "CMakeFiles/kestrel_core.dir/render/draw_model.cpp.o"
  "CMakeFiles/kestrel_core.dir/render/draw_model.cpp.o.d"
  "CMakeFiles/kestrel_core.dir/render/scene_composition.cpp.o"
  "CMakeFiles/kestrel_core.dir/render/scene_composition.cpp.o.d"
  "CMakeFiles/kestrel_core.dir/render/scene_models.cpp.o"
  "CMakeFiles/kestrel_core.dir/render/scene_models.cpp.o.d"
  "CMakeFiles/kestrel_core.dir/render/scene_setup.cpp.o"
  "CMakeFiles/kestrel_core.dir/render/scene_setup.cpp.o.d"
  "CMakeFiles/kestrel_core.dir/sound/music.cpp.o"
  "CMakeFiles/kestrel_core.dir/sound/music.cpp.o.d"
  "libkestrel_core.a"
  "libkestrel_core.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/kestrel_core.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
