CMakeFiles/kestrel_core.dir/tmp/car_stub.cpp.o: /tmp/car_stub.cpp \
 /usr/include/stdc-predef.h /work/main/render/model_table.h
