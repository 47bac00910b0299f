# Running the cross-built Windows programs on this machine: every test program runs through
# wine-run.sh, which puts the Qt and MinGW runtime DLLs on Wine's search path. Qt finds its
# plugins beside its own DLLs.
get_target_property(qt_core_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
get_filename_component(qt_bin_dir "${qt_core_dll}" DIRECTORY)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
                OUTPUT_VARIABLE mingw_libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(mingw_runtime_dir "${mingw_libstdcxx}" DIRECTORY)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libwinpthread-1.dll
                OUTPUT_VARIABLE mingw_winpthread OUTPUT_STRIP_TRAILING_WHITESPACE)
file(REAL_PATH "${mingw_winpthread}" mingw_winpthread)
get_filename_component(mingw_winpthread_dir "${mingw_winpthread}" DIRECTORY)

# Wine's drive Z: is the root of this machine's file system.
set(SSN_WINEPATH "")
foreach(dir ${qt_bin_dir} ${mingw_runtime_dir} ${mingw_winpthread_dir})
  string(REPLACE "/" "\\\\" windows_dir "Z:${dir}")
  string(APPEND SSN_WINEPATH "${windows_dir};")
endforeach()
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
                                WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
# The DLLs the program needs beside it, for the portable folder and the installer.
set(SSN_MINGW_RUNTIME_DLLS ${mingw_libstdcxx} ${mingw_runtime_dir}/libgcc_s_seh-1.dll ${mingw_winpthread})
