CMakeFiles/kestrel_core.dir/game/waves.cpp.obj: /work/main/game/waves.cpp \
 /usr/lib/gcc/x86_64-w64-mingw32/12-posix/include/c++/cstdlib \
 /usr/lib/gcc/x86_64-w64-mingw32/12-posix/include/c++/x86_64-w64-mingw32/bits/c++config.h \
 /usr/lib/gcc/x86_64-w64-mingw32/12-posix/include/c++/x86_64-w64-mingw32/bits/os_defines.h \
 /usr/lib/gcc/x86_64-w64-mingw32/12-posix/include/c++/x86_64-w64-mingw32/bits/cpu_defines.h \
 /usr/lib/gcc/x86_64-w64-mingw32/12-posix/include/c++/pstl/pstl_config.h \
 /usr/share/mingw-w64/include/stdlib.h \
 /usr/share/mingw-w64/include/corecrt.h \
 /usr/share/mingw-w64/include/_mingw.h \
 /usr/share/mingw-w64/include/_mingw_mac.h \
 /usr/share/mingw-w64/include/_mingw_secapi.h \
 /usr/share/mingw-w64/include/vadefs.h \
 /usr/share/mingw-w64/include/sdks/_mingw_ddk.h \
 /usr/share/mingw-w64/include/corecrt_wstdlib.h \
 /usr/lib/gcc/x86_64-w64-mingw32/12-posix/include-fixed/limits.h \
 /usr/lib/gcc/x86_64-w64-mingw32/12-posix/include-fixed/syslimits.h \
 /usr/share/mingw-w64/include/limits.h \
 /usr/share/mingw-w64/include/crtdefs.h \
 /usr/share/mingw-w64/include/sec_api/stdlib_s.h \
 /usr/lib/gcc/x86_64-w64-mingw32/12-posix/include/c++/stdlib.h \
 /usr/share/mingw-w64/include/malloc.h \
 /usr/lib/gcc/x86_64-w64-mingw32/12-posix/include/mm_malloc.h \
 /usr/share/mingw-w64/include/errno.h \
 /usr/lib/gcc/x86_64-w64-mingw32/12-posix/include/c++/bits/std_abs.h \
 /work/main/game/game_state.h /work/main/game/key_latch.h \
 /work/main/render/scene_composition.h
