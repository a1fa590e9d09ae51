// File: qarntash/export.h
//
// QARNTASH_API marks what the library exports: dllexport while building it on Windows, dllimport
// for host programs there, default visibility elsewhere (everything else is hidden).
#pragma once

#if defined(_WIN32)
#  if defined(QARNTASH_BUILDING)
#    define QARNTASH_API __declspec(dllexport)
#  else
#    define QARNTASH_API __declspec(dllimport)
#  endif
#else
#  define QARNTASH_API __attribute__((visibility("default")))
#endif
