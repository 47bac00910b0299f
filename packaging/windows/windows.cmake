# The Windows program as a folder that runs where it stands: the executable, the Qt DLLs and
# the two plugins it loads (the platform and the native style), the MinGW runtime DLLs and the
# licence texts. `cmake --install build/windows --prefix <dir>` makes that folder;
# scripts/windows.sh zips it and builds the installer from it.
install(TARGETS VLFreeSubconsciousSelfNumber RUNTIME DESTINATION .)
foreach(module Core Gui Widgets)
  install(FILES $<TARGET_FILE:Qt6::${module}> DESTINATION .)
endforeach()
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)
if(MINGW)
  include(${PROJECT_SOURCE_DIR}/cmake/mingw-runtime.cmake)
  install(FILES ${SSN_MINGW_RUNTIME_DLLS} DESTINATION .)
endif()

install(FILES ${CMAKE_CURRENT_LIST_DIR}/THIRD-PARTY.txt DESTINATION .)
# The licence texts as Debian keeps them (on other build machines, add them by hand).
foreach(licence LGPL-3 GPL-3)
  if(EXISTS /usr/share/common-licenses/${licence})
    install(FILES /usr/share/common-licenses/${licence} DESTINATION licenses RENAME ${licence}.txt)
  endif()
endforeach()

# `cmake --install --strip` strips the copied DLLs as well as the program: the MinGW runtime
# and Qt come with their symbols, which the program does not need at run time.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    file(GLOB_RECURSE dlls \"\${CMAKE_INSTALL_PREFIX}/*.dll\")
    execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \${dlls} COMMAND_ERROR_IS_FATAL ANY)
  endif()")
