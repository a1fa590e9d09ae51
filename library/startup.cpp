// Load-time start-up. When the library is attached to a process it keeps its module instance
// (under which its dialogs and strings are registered with the platform), reads the process-wide
// configuration, and registers its own file path and build date with the platform. It succeeds in
// every case: a path that cannot be found is simply not registered. On Windows the registration
// is handed over without a lock and applied by the platform on first use (see DllMain).
#include <cstring>

#include "platform/config.h"
#include "platform/resources.h"
#include "qarntash/library.h"

// The library's dialogs and string table, made from screens/resources/qarntash.rc at build time.
extern const platform::ResourceTable kQarntashResources;

#if defined(_WIN32)
#  include <windows.h>
#else
#  include <dlfcn.h>
#endif

namespace {

constexpr std::size_t kModulePathSize = 256;  // at most 255 characters and the terminator

TK_CONF g_configuration{};
char g_module_path[kModulePathSize] = "";

HINSTANCE g_instance = nullptr;

}  // namespace

// Read again at each call, so that a data path the host sets after loading the library (a --data
// option, a test's practice folder) is the one that the next table opens on.
TK_CONF& qarntash_configuration() {
  config_read_conf010(&g_configuration);
  return g_configuration;
}
const char* qarntash_module_path() { return g_module_path; }
HINSTANCE qarntash_instance() { return g_instance; }

#if defined(_WIN32)

namespace {
platform::LoadTimeRegistration g_registration{};
}  // namespace

// Under the loader lock nothing may wait on a lock, load a library or start a thread: the
// module's instance, path and resources are only handed to the platform, which applies them
// when its registries are next read. The configuration is read at each qarntash_configuration().
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  g_instance = instance;
  const DWORD length = GetModuleFileNameA(instance, g_module_path, kModulePathSize);
  const bool found = length > 0 && length < kModulePathSize;
  if (!found) g_module_path[0] = '\0';
  g_registration = {instance, &kQarntashResources, found ? g_module_path : nullptr, kQarntashBuildDate, nullptr};
  platform::register_at_load(&g_registration);
  return TRUE;
}

#else

namespace {

// Steps 2 to 4 of attaching: configuration, then the module path and its registration.
void attach(HINSTANCE instance, bool path_found) {
  g_instance = instance;
  platform::register_resources(instance, &kQarntashResources);
  config_read_conf010(&g_configuration);
  if (path_found) pmco041_register_vers(g_module_path, kQarntashBuildDate, nullptr, nullptr, nullptr);
}

// The path of the shared object that holds this function, found through dladdr; its load
// address is the module's instance, as on Windows.
bool find_module_path(HINSTANCE& instance) {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&find_module_path), &info) == 0 || info.dli_fname == nullptr) {
    return false;
  }
  if (info.dli_fbase != nullptr) instance = static_cast<HINSTANCE>(info.dli_fbase);
  const std::size_t length = std::strlen(info.dli_fname);
  if (length == 0 || length >= kModulePathSize) return false;
  std::memcpy(g_module_path, info.dli_fname, length + 1);
  return true;
}

__attribute__((constructor)) void qarntash_on_load() {
  // Without a load address, any address unique to this module serves as its instance.
  static char instance_marker;
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(&instance_marker);
  const bool found = find_module_path(instance);
  attach(instance, found);
}

}  // namespace

#endif
