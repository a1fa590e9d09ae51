// UTR and National Insurance number checks, and the canonical layout of a NIN.
#include <array>
#include <cstddef>
#include <cstring>

#include "qarntash/tax_rules/reference_numbers.h"

namespace {

constexpr int kUtrDigits = 10;

// Weights of the second to tenth digits of a UTR, and the check digit for each remainder mod 11.
constexpr std::array<int, kUtrDigits - 1> kUtrWeights = {6, 7, 8, 9, 10, 5, 4, 3, 2};
constexpr char kUtrCheckDigits[] = "21987654321";

// Prefixes that pass the letter rules but are never issued (ZZ marks a temporary number).
constexpr const char* kUnissuedNinPrefixes[] = {"BG", "GB", "KN", "NK", "NT", "TN", "ZZ"};

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The white space that the canonical layout drops: space, tab, line feed, vertical tab, form
// feed and carriage return (not the locale's idea of white space).
bool is_layout_space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

char ascii_upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Only the space character (32) is trimmed, never tabs: a NIN with a tab round it is refused.
std::string trim_spaces(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  const std::size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

}  // namespace

int FormatUTR::ValidDigitUTR(const char* utr) {
  if (utr == nullptr) return 0;
  // Only the digits 1 to 9 are counted: ten zeros pass.
  std::array<int, 10> counts{};
  for (const char* p = utr; *p != '\0'; ++p) {
    if (is_digit(*p)) ++counts[static_cast<std::size_t>(*p - '0')];
  }
  for (int digit = 1; digit <= 9; ++digit) {
    if (counts[static_cast<std::size_t>(digit)] == kUtrDigits) return 0;
  }
  return 1;
}

int FormatUTR::ValidCheckDigitUTR(const char* utr) {
  if (utr == nullptr) return 0;
  std::array<int, kUtrDigits> digits{};
  int count = 0;
  const char* p = utr;
  while (count < kUtrDigits) {
    // Spaces are allowed between digits only, not before the first.
    if (count > 0) {
      while (*p == ' ') ++p;
    }
    if (!is_digit(*p)) return 0;
    digits[static_cast<std::size_t>(count++)] = *p++ - '0';
  }
  if (*p == 'K') ++p;
  if (*p != '\0') return 0;

  int weighted = 0;
  for (std::size_t i = 0; i < kUtrWeights.size(); ++i) weighted += kUtrWeights[i] * digits[i + 1];
  return kUtrCheckDigits[weighted % 11] - '0' == digits[0] ? 1 : 0;
}

std::string FormatNIN::FormatWithValidation(const std::string& nin) const {
  const std::string trimmed = trim_spaces(nin);
  if (!CRegExValidator(CRegExValidator::NIN_RE).Validate(trimmed, false)) return std::string();
  return Format(trimmed);
}

std::string FormatNIN::Format(const std::string& nin) const {
  std::string canonical;
  canonical.reserve(nin.size() + nin.size() / 2);
  int in_group = 0;
  for (const char c : nin) {
    if (in_group == 2) {
      canonical += ' ';
      in_group = 0;
    }
    if (is_layout_space(c)) continue;
    canonical += ascii_upper(c);
    ++in_group;
  }
  return canonical;
}

bool FormatNIN::IsIssuableNIN(const std::string& nin) {
  const std::string canonical = FormatNIN().FormatWithValidation(nin);
  if (canonical.empty()) return false;
  for (const char* prefix : kUnissuedNinPrefixes) {
    if (canonical.compare(0, 2, prefix) == 0) return false;
  }
  return true;
}
