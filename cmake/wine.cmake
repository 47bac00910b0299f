# Running the cross-built Windows programs on this machine: every test program runs through
# wine-run.sh, which puts the Qt and MinGW runtime DLLs on Wine's search path. Qt finds its
# plugins beside its own DLLs.
get_target_property(qt_core_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
get_filename_component(qt_bin_dir "${qt_core_dll}" DIRECTORY)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-runtime.cmake)
set(dll_dirs ${qt_bin_dir})
foreach(dll ${SSN_MINGW_RUNTIME_DLLS})
  get_filename_component(dir "${dll}" DIRECTORY)
  list(APPEND dll_dirs "${dir}")
endforeach()
list(REMOVE_DUPLICATES dll_dirs)

# Wine's drive Z: is the root of this machine's file system.
set(SSN_WINEPATH "")
foreach(dir ${dll_dirs})
  string(REPLACE "/" "\\\\" windows_dir "Z:${dir}")
  string(APPEND SSN_WINEPATH "${windows_dir};")
endforeach()
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
                                WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
