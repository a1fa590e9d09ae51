# What both Windows toolchains share: Debian's MinGW-w64 for the triple in
# QARNTASH_WINDOWS_TRIPLE. The POSIX-thread flavour of the compilers is the one whose standard
# library has std::mutex and std::thread.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER   ${QARNTASH_WINDOWS_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QARNTASH_WINDOWS_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${QARNTASH_WINDOWS_TRIPLE}-windres)

# Libraries and headers come only from the MinGW root and from the prefix of static
# dependencies that scripts/windows-deps builds (-DQARNTASH_WINDOWS_DEPS=DIR); programs from the
# build machine. The variable is passed on to CMake's own test compilations.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QARNTASH_WINDOWS_DEPS)
set(CMAKE_FIND_ROOT_PATH /usr/${QARNTASH_WINDOWS_TRIPLE} ${QARNTASH_WINDOWS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

