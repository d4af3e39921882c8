CMakeFiles/kestrel_core.dir/game/steering.cpp.o: \
 /work/main/game/steering.cpp /usr/include/stdc-predef.h \
 /work/main/game/game_state.h /work/main/game/key_latch.h
