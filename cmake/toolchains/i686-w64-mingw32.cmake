# Cross-compiles for 32-bit Windows, the hosts' own, with Debian's MinGW-w64.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QARNTASH_WINDOWS_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

# No emulator: 32-bit Windows programs cannot run on this build machine (its kernel refuses
# 32-bit code and wine64 runs only 64-bit programs), so the 32-bit build is built and its exports
# checked, not run.
