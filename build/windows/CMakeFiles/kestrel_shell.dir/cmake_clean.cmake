file(REMOVE_RECURSE
  "CMakeFiles/kestrel_shell.dir/app/help_dialog.cpp.obj"
  "CMakeFiles/kestrel_shell.dir/app/help_dialog.cpp.obj.d"
  "CMakeFiles/kestrel_shell.dir/app/main_loop.cpp.obj"
  "CMakeFiles/kestrel_shell.dir/app/main_loop.cpp.obj.d"
  "CMakeFiles/kestrel_shell.dir/app/platform_win32.cpp.obj"
  "CMakeFiles/kestrel_shell.dir/app/platform_win32.cpp.obj.d"
  "CMakeFiles/kestrel_shell.dir/app/startup.cpp.obj"
  "CMakeFiles/kestrel_shell.dir/app/startup.cpp.obj.d"
  "CMakeFiles/kestrel_shell.dir/app/window_proc.cpp.obj"
  "CMakeFiles/kestrel_shell.dir/app/window_proc.cpp.obj.d"
  "libkestrel_shell.a"
  "libkestrel_shell.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/kestrel_shell.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
