CMakeFiles/kestrel_core.dir/render/scene_composition.cpp.obj: \
 /work/main/render/scene_composition.cpp \
 /work/main/render/scene_composition.h /work/main/game/game_state.h \
 /work/main/render/model_drawing.h /work/main/render/model_table.h
