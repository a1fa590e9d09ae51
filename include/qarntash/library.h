// File: qarntash/library.h
//
// What the library set up when it was loaded into the process: its own file path (registered
// with the platform together with its build date) and the one process-wide configuration record
// whose data path locates the practice tables.
#pragma once

#include "platform/config.h"
#include "platform/resources.h"
#include "qarntash/export.h"

// The library's build date, as it registers itself with the platform.
constexpr const char* kQarntashBuildDate = "Jan 14 2022";

// The process-wide configuration: read when the library was loaded, and read again at each call,
// so its data path is the one configured now (QARNTASH_DATA_PATH, else the host's
// platform_set_default_data_path), even when the host set it after loading the library. Take
// the data path from it just before opening tables; a copy kept from an earlier call may be stale.
QARNTASH_API TK_CONF& qarntash_configuration();

// The library's own file path (at most 255 characters), or "" when it could not be found.
QARNTASH_API const char* qarntash_module_path();

// The library's module instance: the forms toolkit builds the library's dialogs on it and its
// string table is read through it.
QARNTASH_API HINSTANCE qarntash_instance();
