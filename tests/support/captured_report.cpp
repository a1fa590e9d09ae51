#include "support/captured_report.h"

#include <vector>

namespace test_support {

CapturedReport::CapturedReport(const std::string& name) {
  std::vector<char> settings(kRpSettingsSize, '\0');
  name.copy(settings.data() + kRpSettingsNameOffset, kRpSettingsSize - kRpSettingsNameOffset - 1);
  rp_openVV(2, settings.data());
  rp_initshow();
  open_ = true;
  first_call_ = capture_.calls().size();
}

CapturedReport::~CapturedReport() {
  if (open_) rp_close(1);
}

std::vector<std::string> CapturedReport::close() {
  if (open_) rp_close(1);
  open_ = false;
  return texts();
}

std::vector<std::string> CapturedReport::calls() const {
  const auto& all = capture_.calls();
  return std::vector<std::string>(all.begin() + static_cast<std::ptrdiff_t>(first_call_), all.end());
}

std::vector<std::string> CapturedReport::output_calls() const {
  std::vector<std::string> result;
  for (const std::string& call : calls()) {
    if (call.rfind("columnset", 0) == 0 || call.rfind("selectset", 0) == 0) continue;
    result.push_back(call);
  }
  return result;
}

}  // namespace test_support
