CMakeFiles/kestrel_core.dir/render/scene_models.cpp.o: \
 /work/main/render/scene_models.cpp /usr/include/stdc-predef.h \
 /work/main/render/model_table.h
