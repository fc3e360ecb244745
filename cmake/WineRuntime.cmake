# Programs of this build run under Wine through tools/wine-exec, in this build
# folder's private Wine prefix; ctest uses it as the cross-compiling emulator.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(PELLAMAR_WINE_LOADER /usr/lib/wine/wine64)
  set(PELLAMAR_WINEARCH win64)
else()
  set(PELLAMAR_WINE_LOADER /usr/lib/wine/wine)
  set(PELLAMAR_WINEARCH win32)
endif()
set(PELLAMAR_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
configure_file(${CMAKE_SOURCE_DIR}/tools/wine-exec.in ${CMAKE_BINARY_DIR}/wine-exec @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
configure_file(${CMAKE_SOURCE_DIR}/tools/alsa-null.conf ${CMAKE_BINARY_DIR}/alsa-null.conf COPYONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-exec)

