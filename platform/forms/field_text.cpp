#include "field_text.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace platform::detail {

std::string cut_to_length(const std::string& text, int length) {
  if (length <= 0) return {};
  std::size_t cut = static_cast<std::size_t>(length);
  if (text.size() <= cut) return text;
  // Back off over continuation bytes (10xxxxxx) so that the cut falls between characters.
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return text.substr(0, cut);
}

bool parse_money(const std::string& text, double& amount) {
  std::string digits;
  bool bracketed = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == ' ' || c == ',') continue;
    if (c == '\xC2' && i + 1 < text.size() && text[i + 1] == '\xA3') {  // the pound sign in UTF-8
      ++i;
      continue;
    }
    if (c == '(' && digits.empty() && !bracketed) {
      bracketed = true;
      continue;
    }
    if (c == ')' && bracketed && i + 1 == text.size()) continue;
    digits += c;
  }
  if (bracketed && (text.empty() || text.back() != ')')) return false;
  if (digits.empty()) {
    amount = 0.0;
    return true;
  }
  errno = 0;
  char* end = nullptr;
  const double value = std::strtod(digits.c_str(), &end);
  if (end == digits.c_str() || *end != '\0' || errno == ERANGE || !std::isfinite(value)) return false;
  amount = bracketed ? -value : value;
  return true;
}

}  // namespace platform::detail
