CMakeFiles/kestrel_core.dir/tmp/car_stub.cpp.obj: /tmp/car_stub.cpp \
 /work/main/render/model_table.h
