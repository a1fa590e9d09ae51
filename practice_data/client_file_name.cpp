#include "client_file_name.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace practice_data_internal {
namespace {

// Characters that no file name may hold: the nine the suite has always replaced, "?" and the
// control characters.
bool is_forbidden_in_file_name(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte < 0x20 || byte == 0x7f) return true;
  constexpr std::string_view kForbidden = "/\\:#*\"><|?";
  return kForbidden.find(c) != std::string_view::npos;
}

char upper_ascii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Windows takes these names, with any extension, as devices. It also drops trailing spaces from
// the part before the extension, so "CON .txt" is the console too.
bool is_windows_device_name(std::string_view name) {
  std::string_view stem = name.substr(0, name.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
  std::string upper(stem);
  std::transform(upper.begin(), upper.end(), upper.begin(), upper_ascii);
  constexpr std::array<std::string_view, 4> kDevices = {"CON", "PRN", "AUX", "NUL"};
  if (std::find(kDevices.begin(), kDevices.end(), upper) != kDevices.end()) return true;
  return upper.size() == 4 && (upper.compare(0, 3, "COM") == 0 || upper.compare(0, 3, "LPT") == 0) &&
         upper[3] >= '1' && upper[3] <= '9';
}

}  // namespace

std::optional<std::string> client_file_name(std::string_view visible_id) {
  visible_id = visible_id.substr(0, std::min(visible_id.find('\0'), kVisibleIdLength));
  if (visible_id.empty()) return std::nullopt;

  std::string name(visible_id);
  std::replace_if(name.begin(), name.end(), is_forbidden_in_file_name, '_');
  if (name.find_first_not_of('.') == std::string::npos) return std::string(name.size(), '_');
  if (is_windows_device_name(name)) name.insert(0, 1, '_');
  return name;
}

}  // namespace practice_data_internal
