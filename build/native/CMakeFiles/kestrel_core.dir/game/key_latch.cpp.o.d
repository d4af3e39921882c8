CMakeFiles/kestrel_core.dir/game/key_latch.cpp.o: \
 /work/main/game/key_latch.cpp /usr/include/stdc-predef.h \
 /work/main/game/key_latch.h
