CMakeFiles/kestrel_core.dir/render/scene_composition.cpp.o: \
 /work/main/render/scene_composition.cpp /usr/include/stdc-predef.h \
 /work/main/render/scene_composition.h /work/main/game/game_state.h \
 /work/main/render/model_drawing.h /work/main/render/model_table.h
