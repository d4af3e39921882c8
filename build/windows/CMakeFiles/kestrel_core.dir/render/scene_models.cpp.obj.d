CMakeFiles/kestrel_core.dir/render/scene_models.cpp.obj: \
 /work/main/render/scene_models.cpp /work/main/render/model_table.h
