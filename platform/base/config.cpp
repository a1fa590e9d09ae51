#include "platform/config.h"

#include "platform/resources.h"

#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {

std::mutex& registry_mutex() {
  static std::mutex mutex;
  return mutex;
}

std::string& default_data_path() {
  static std::string path;
  return path;
}

std::vector<RegisteredVersion>& registrations() {
  static std::vector<RegisteredVersion> list;
  return list;
}

}  // namespace

extern "C" {

int config_read_conf010(TK_CONF* conf) {
  if (conf == nullptr) return 0;
  std::memset(conf, 0, sizeof *conf);
  const char* from_environment = std::getenv("QARNTASH_DATA_PATH");
  std::string path;
  if (from_environment != nullptr && *from_environment != '\0') {
    path = from_environment;
  } else {
    std::lock_guard<std::mutex> lock(registry_mutex());
    path = default_data_path();
  }
  // A path cut short would name another folder: leave it empty and say so.
  if (path.size() >= sizeof conf->data_path) return 1;
  std::memcpy(conf->data_path, path.c_str(), path.size() + 1);
  return 0;
}

int pmco041_register_vers(const char* module_path, const char* build_date, const void*, const void*,
                          const void*) {
  std::lock_guard<std::mutex> lock(registry_mutex());
  registrations().push_back({module_path != nullptr ? module_path : "", build_date != nullptr ? build_date : ""});
  return 0;
}

}  // extern "C"

void platform_set_default_data_path(const std::string& path) {
  std::lock_guard<std::mutex> lock(registry_mutex());
  default_data_path() = path;
}

std::vector<RegisteredVersion> platform_registered_versions() {
  platform::apply_load_time_registrations();
  std::lock_guard<std::mutex> lock(registry_mutex());
  return registrations();
}
