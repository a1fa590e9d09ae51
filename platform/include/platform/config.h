// File: platform/config.h
//
// The platform's configuration record and the version registry.
//
// The data path (the folder that holds the practice's table files) comes from the environment
// variable QARNTASH_DATA_PATH when it is set and not empty, else from the default that the host
// program sets with platform_set_default_data_path, else it is empty (tables then open relative
// to the working folder).
#pragma once

#include <string>
#include <vector>

#include "platform/export.h"

constexpr int kTkConfPathSize = 256;

struct TK_CONF {
  char data_path[kTkConfPathSize];  // terminated; at most 255 characters
};

extern "C" {
// Fills `conf` (null is ignored). Returns 0; 1 when the data path was longer than 255 characters
// and has been left empty rather than cut short.
PLATFORM_API int config_read_conf010(TK_CONF* conf);

// Records that a module is loaded: its file path and build date. The three further arguments are
// kept for the suite's callers and not used. Returns 0; null path or date are recorded as "".
PLATFORM_API int pmco041_register_vers(const char* module_path, const char* build_date,
                                       const void* reserved1, const void* reserved2,
                                       const void* reserved3);
}

// The default data path for config_read_conf010, set by the host program before it loads data.
PLATFORM_API void platform_set_default_data_path(const std::string& path);

struct RegisteredVersion {
  std::string module_path;
  std::string build_date;
};
// Every registration so far, oldest first.
PLATFORM_API std::vector<RegisteredVersion> platform_registered_versions();
