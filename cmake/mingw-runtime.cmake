# The MinGW-w64 runtime DLLs a program built with this compiler needs beside it (C++ library,
# GCC support, POSIX threads), found through the compiler itself: SSN_MINGW_RUNTIME_DLLS.
set(SSN_MINGW_RUNTIME_DLLS "")
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll} OUTPUT_VARIABLE path
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(IS_ABSOLUTE "${path}" AND EXISTS "${path}")
    file(REAL_PATH "${path}" path)
    list(APPEND SSN_MINGW_RUNTIME_DLLS "${path}")
  endif()
endforeach()
