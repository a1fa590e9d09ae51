#include "practice_option.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "platform/dates.h"
#include "platform/practice/demo_practice.h"
#include "platform/record_store.h"
#include "qarntash/library.h"
#include "qarntash/practice_data/client_identifiers.h"

namespace host {

namespace {

constexpr const char* kDataPathVariable = "QARNTASH_DATA_PATH";
constexpr const char* kDemoPracticeFolder = "demo-practice";

void set_data_path_variable(const std::string& folder) {
#if defined(_WIN32)
  _putenv_s(kDataPathVariable, folder.c_str());
#else
  setenv(kDataPathVariable, folder.c_str(), 1);
#endif
}

// The demo practice's folder, written on first use.
std::string demo_practice_folder() {
  if (platform::find_table_file(kDemoPracticeFolder, "zorv2000.ttl").empty()) {
    const int status = platform::write_demo_practice(kDemoPracticeFolder);
    if (status != BTR_OK) {
      throw CLI::ValidationError("--data", std::string("the demo practice could not be written into ") +
                                               kDemoPracticeFolder + ": status " + std::to_string(status) + " (" +
                                               btr_status_text(status) + ")");
    }
    std::fprintf(stderr, "Wrote the demo practice into %s (give --data DIR for another practice).\n",
                 kDemoPracticeFolder);
  }
  return kDemoPracticeFolder;
}

// The folder an option command reads and changes: it must be a practice.
void use_option_practice_folder(const std::string& data_option) {
  std::string folder = data_option;
  if (folder.empty()) {
    const char* configured = std::getenv(kDataPathVariable);
    folder = configured != nullptr && *configured != '\0' ? std::string(configured) : demo_practice_folder();
  }
  if (platform::find_table_file(folder, "zorv2000.ttl").empty()) {
    throw CLI::ValidationError("--data", folder + " holds no practice defaults table (zorv2000.ttl)");
  }
  // The folder given wins over the environment, as the user named it on this command.
  set_data_path_variable(folder);
  platform_set_default_data_path(folder);
}

}  // namespace

void add_data_option(CLI::App* command, const std::shared_ptr<std::string>& folder, WithoutPracticeFolder fallback) {
  const char* help = fallback == WithoutPracticeFolder::demo_practice
                         ? "The practice folder (default: $QARNTASH_DATA_PATH, else the demo practice in "
                           "./demo-practice)"
                         : "The practice folder (default: QARNTASH_DATA_PATH or the host's own)";
  command->add_option("--data", *folder, help);
}

TK_CONF use_practice_folder(const std::string& data_option, WithoutPracticeFolder fallback) {
  if (fallback == WithoutPracticeFolder::demo_practice) {
    use_option_practice_folder(data_option);
  } else if (!data_option.empty()) {
    // The environment variable comes before the host's default, so --data must set it.
    set_data_path_variable(data_option);
  }
  config_read_conf010(&qarntash_configuration());
  return qarntash_configuration();
}

PMCO_INT_REF parse_reference(const std::string& text) {
  const std::size_t colon = text.find(':');
  const auto number_in = [&](const std::string& part, long low, long high, long* value) {
    if (part.empty() || part.size() > 11) return false;
    char* end = nullptr;
    errno = 0;
    const long long parsed = std::strtoll(part.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || parsed < low || parsed > high) return false;
    *value = static_cast<long>(parsed);
    return true;
  };
  long type = 0, number = 0;
  if (colon == std::string::npos || !number_in(text.substr(0, colon), 0, 255, &type) ||
      !number_in(text.substr(colon + 1), INT32_MIN, INT32_MAX, &number)) {
    throw CLI::ValidationError("--ref", "not a reference TYPE:NUMBER (type 0-255, a 32-bit number): " + text);
  }
  return PMCO_INT_REF{static_cast<std::uint8_t>(type), static_cast<std::int32_t>(number)};
}

PMCO_INT_REF client_by_id(const std::string& id) {
  PMCO_INT_REF reference{};
  if (!GetRefFromVisibleID(cLBW_STRING(id), reference)) {
    std::fprintf(stderr, "No client with visible ID \"%s\" in the practice\n", id.c_str());
    throw CLI::RuntimeError(1);
  }
  return reference;
}

std::string date_or_none(long date) { return date > 0 ? fpw_DATE_VALUE(date).string_value() : "none"; }

}  // namespace host
