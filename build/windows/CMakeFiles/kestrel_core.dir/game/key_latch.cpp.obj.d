CMakeFiles/kestrel_core.dir/game/key_latch.cpp.obj: \
 /work/main/game/key_latch.cpp /work/main/game/key_latch.h
