#include "practice_option.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "platform/dates.h"
#include "qarntash/library.h"
#include "qarntash/practice_data/client_identifiers.h"

namespace host {

void add_data_option(CLI::App* command, const std::shared_ptr<std::string>& folder) {
  command->add_option("--data", *folder, "The practice folder (default: QARNTASH_DATA_PATH or the host's own)");
}

TK_CONF use_practice_folder(const std::string& folder) {
  if (!folder.empty()) {
    // The environment variable comes before the host's default, so --data must set it.
#if defined(_WIN32)
    _putenv_s("QARNTASH_DATA_PATH", folder.c_str());
#else
    setenv("QARNTASH_DATA_PATH", folder.c_str(), 1);
#endif
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
