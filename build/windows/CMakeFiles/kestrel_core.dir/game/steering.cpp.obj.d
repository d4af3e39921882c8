CMakeFiles/kestrel_core.dir/game/steering.cpp.obj: \
 /work/main/game/steering.cpp /work/main/game/game_state.h \
 /work/main/game/key_latch.h
