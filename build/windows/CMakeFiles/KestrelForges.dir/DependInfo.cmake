
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  "RC"
  )
# The set of files for implicit dependencies of each language:
set(CMAKE_DEPENDS_CHECK_RC
  "/work/main/resources/KestrelForges.rc" "/work/main/build/windows/CMakeFiles/KestrelForges.dir/resources/KestrelForges.rc.res"
  )

# Preprocessor definitions for this target.
set(CMAKE_TARGET_DEFINITIONS_RC
  "NOMINMAX"
  "UNICODE"
  "WIN32_LEAN_AND_MEAN"
  "_UNICODE"
  )

# The include file search paths:
set(CMAKE_RC_TARGET_INCLUDE_PATH
  "/work/main"
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/app/win_main.cpp" "CMakeFiles/KestrelForges.dir/app/win_main.cpp.obj" "gcc" "CMakeFiles/KestrelForges.dir/app/win_main.cpp.obj.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/main/build/windows/CMakeFiles/kestrel_shell.dir/DependInfo.cmake"
  "/work/main/build/windows/CMakeFiles/kestrel_core.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
