// The default year of the usage counts: see usage_year.h.
#include "usage_year.h"

#include <ctime>

#include "platform/dates.h"

namespace practice_data_internal {

int usage_year_of(long today) {
  DateParts parts{};
  fp_inttodate(today, &parts);
  return parts.month >= 4 ? parts.year : parts.year - 1;
}

int current_usage_year() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#if defined(_WIN32)
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return usage_year_of(fp_builddate(local.tm_mday, local.tm_mon + 1, local.tm_year + 1900));
}

}  // namespace practice_data_internal
