CMakeFiles/kestrel_core.dir/game/game_state.cpp.obj: \
 /work/main/game/game_state.cpp /work/main/game/game_state.h \
 /work/main/game/key_latch.h /work/main/render/scene_composition.h
