CMakeFiles/kestrel_core.dir/sound/music.cpp.o: /work/main/sound/music.cpp \
 /usr/include/stdc-predef.h /work/main/sound/music.h \
 /work/main/game/platform.h
