# Cross-compiles for 64-bit Windows with Debian's MinGW-w64.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QARNTASH_WINDOWS_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

# Test programs run under wine64 on the build machine (CTest puts it before each command).
find_program(QARNTASH_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(QARNTASH_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QARNTASH_WINE})
endif()
