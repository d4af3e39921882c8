file(REMOVE_RECURSE
  "CMakeFiles/KestrelForges.dir/app/win_main.cpp.obj"
  "CMakeFiles/KestrelForges.dir/app/win_main.cpp.obj.d"
  "CMakeFiles/KestrelForges.dir/resources/KestrelForges.rc.res"
  "KestrelForges.exe"
  "KestrelForges.pdb"
  "libKestrelForges.dll.a"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX RC)
  include(CMakeFiles/KestrelForges.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
