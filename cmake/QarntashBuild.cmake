# Build settings shared by every target: language level, warnings, sanitizers, and the
# helpers that gather each subsystem's object library into the two shared libraries.

set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_CXX_VISIBILITY_PRESET hidden)
set(CMAKE_VISIBILITY_INLINES_HIDDEN ON)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
  set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "Build type" FORCE)
endif()

add_library(qarntash_warnings INTERFACE)
if(MSVC)
  target_compile_options(qarntash_warnings INTERFACE /W4 $<$<BOOL:${QARNTASH_WERROR}>:/WX>)
else()
  target_compile_options(qarntash_warnings INTERFACE -Wall -Wextra $<$<BOOL:${QARNTASH_WERROR}>:-Werror>)
endif()

# MinGW: the GCC runtime (libgcc, libstdc++, winpthread) is linked statically into every DLL and
# program, so qarntash.dll and platform.dll are all a host needs beside it and no other program's
# copy of a MinGW runtime can be picked up in its place. Each DLL then has its own runtime: no
# exception may cross from one DLL into another (the library lets none of its own out).
if(MINGW)
  add_link_options(-static)
  # Programs and DLLs in one folder, where Windows looks for a program's DLLs first.
  set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
endif()

if(QARNTASH_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# The fuzz build instruments everything for coverage; only the fuzz targets link libFuzzer's main.
# Every other program (the host program, tests) links libFuzzer's runtime without its main, which
# holds the coverage callbacks; shared libraries leave them to the program that loads them.
if(QARNTASH_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
  add_link_options(-fsanitize=fuzzer-no-link)
endif()

# Headers: the library's public folder and the platform's.
add_library(qarntash_public_headers INTERFACE)
target_include_directories(qarntash_public_headers INTERFACE
  $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include> $<INSTALL_INTERFACE:include>)
add_library(platform_public_headers INTERFACE)
target_include_directories(platform_public_headers INTERFACE
  $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/platform/include> $<INSTALL_INTERFACE:include>)

# qarntash_component(<library> <name> SOURCES ...): one object library of a subsystem or platform
# component. Its objects go into the shared library named <library> ("qarntash" or "platform").
function(qarntash_component library name)
  cmake_parse_arguments(ARG "" "" "SOURCES" ${ARGN})
  add_library(${name} OBJECT ${ARG_SOURCES})
  target_link_libraries(${name} PUBLIC platform_public_headers PRIVATE qarntash_warnings)
  if(library STREQUAL "qarntash")
    target_link_libraries(${name} PUBLIC qarntash_public_headers)
    target_compile_definitions(${name} PRIVATE QARNTASH_BUILDING)
    # Internal headers shared between subsystems, such as library/allocation_fault.h.
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  else()
    target_compile_definitions(${name} PRIVATE PLATFORM_BUILDING)
  endif()
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  set_property(GLOBAL APPEND PROPERTY QARNTASH_COMPONENTS_${library} ${name})
endfunction()

# qarntash_link_library(<library>): the shared library from its components. Linking an object
# library directly adds its objects and passes on its own link needs (SQLite, libxml2, ...).
function(qarntash_link_library library)
  get_property(components GLOBAL PROPERTY QARNTASH_COMPONENTS_${library})
  add_library(${library} SHARED)
  target_link_libraries(${library} PRIVATE ${components})
  target_link_libraries(${library} PUBLIC platform_public_headers)
  if(library STREQUAL "qarntash")
    target_link_libraries(${library} PUBLIC qarntash_public_headers)
  endif()
  if(QARNTASH_SANITIZE)
    # A program linking a sanitized library must load the sanitizer runtime first.
    target_link_options(${library} INTERFACE -fsanitize=address,undefined)
  endif()
  set_target_properties(${library} PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
  if(WIN32)
    # Hosts load the DLLs by these names: qarntash.dll and platform.dll, no "lib" and no version.
    set_target_properties(${library} PROPERTIES PREFIX "" IMPORT_PREFIX "" RUNTIME_OUTPUT_NAME ${library})
  endif()
endfunction()
