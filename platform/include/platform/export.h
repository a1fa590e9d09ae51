// File: platform/export.h
//
// PLATFORM_API marks what the stand-in platform exports: dllexport while building it on Windows,
// dllimport for its users there, default visibility elsewhere (everything else is hidden).
#pragma once

#if defined(_WIN32)
#  if defined(PLATFORM_BUILDING)
#    define PLATFORM_API __declspec(dllexport)
#  else
#    define PLATFORM_API __declspec(dllimport)
#  endif
#else
#  define PLATFORM_API __attribute__((visibility("default")))
#endif
