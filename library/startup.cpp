// Load-time start-up. When the library is attached to a process it keeps its module instance,
// reads the process-wide configuration, and registers its own file path and build date with the
// platform. It succeeds in every case: a path that cannot be found is simply not registered.
#include <cstring>

#include "platform/config.h"
#include "qarntash/library.h"

#if defined(_WIN32)
#  include <windows.h>
#else
#  include <dlfcn.h>
#endif

namespace {

constexpr std::size_t kModulePathSize = 256;  // at most 255 characters and the terminator

TK_CONF g_configuration{};
char g_module_path[kModulePathSize] = "";

// Steps 2 to 4 of attaching: configuration, then the module path and its registration.
void attach(bool path_found) {
  config_read_conf010(&g_configuration);
  if (path_found) pmco041_register_vers(g_module_path, kQarntashBuildDate, nullptr, nullptr, nullptr);
}

}  // namespace

// Read again at each call, so that a data path the host sets after loading the library (a --data
// option, a test's practice folder) is the one that the next table opens on.
TK_CONF& qarntash_configuration() {
  config_read_conf010(&g_configuration);
  return g_configuration;
}
const char* qarntash_module_path() { return g_module_path; }

#if defined(_WIN32)

HINSTANCE g_qarntash_instance = nullptr;

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  g_qarntash_instance = instance;
  const DWORD length = GetModuleFileNameA(instance, g_module_path, kModulePathSize);
  const bool found = length > 0 && length < kModulePathSize;
  if (!found) g_module_path[0] = '\0';
  attach(found);
  return TRUE;
}

#else

namespace {

// The path of the shared object that holds this function, found through dladdr.
bool find_module_path() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&find_module_path), &info) == 0 || info.dli_fname == nullptr) {
    return false;
  }
  const std::size_t length = std::strlen(info.dli_fname);
  if (length == 0 || length >= kModulePathSize) return false;
  std::memcpy(g_module_path, info.dli_fname, length + 1);
  return true;
}

__attribute__((constructor)) void qarntash_on_load() { attach(find_module_path()); }

}  // namespace

#endif
