CMakeFiles/kestrel_core.dir/game/game_state.cpp.o: \
 /work/main/game/game_state.cpp /usr/include/stdc-predef.h \
 /work/main/game/game_state.h /work/main/game/key_latch.h \
 /work/main/render/scene_composition.h
