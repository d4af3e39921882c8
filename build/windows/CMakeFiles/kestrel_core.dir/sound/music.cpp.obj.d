CMakeFiles/kestrel_core.dir/sound/music.cpp.obj: \
 /work/main/sound/music.cpp /work/main/sound/music.h \
 /work/main/game/platform.h
