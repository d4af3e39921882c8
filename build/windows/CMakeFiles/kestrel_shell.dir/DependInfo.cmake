
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/app/help_dialog.cpp" "CMakeFiles/kestrel_shell.dir/app/help_dialog.cpp.obj" "gcc" "CMakeFiles/kestrel_shell.dir/app/help_dialog.cpp.obj.d"
  "/work/main/app/main_loop.cpp" "CMakeFiles/kestrel_shell.dir/app/main_loop.cpp.obj" "gcc" "CMakeFiles/kestrel_shell.dir/app/main_loop.cpp.obj.d"
  "/work/main/app/platform_win32.cpp" "CMakeFiles/kestrel_shell.dir/app/platform_win32.cpp.obj" "gcc" "CMakeFiles/kestrel_shell.dir/app/platform_win32.cpp.obj.d"
  "/work/main/app/startup.cpp" "CMakeFiles/kestrel_shell.dir/app/startup.cpp.obj" "gcc" "CMakeFiles/kestrel_shell.dir/app/startup.cpp.obj.d"
  "/work/main/app/window_proc.cpp" "CMakeFiles/kestrel_shell.dir/app/window_proc.cpp.obj" "gcc" "CMakeFiles/kestrel_shell.dir/app/window_proc.cpp.obj.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/main/build/windows/CMakeFiles/kestrel_core.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
