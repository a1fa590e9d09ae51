// CRegExValidator::Validate with the two published patterns on arbitrary text.
//
// Invariants: a case-sensitive match is also a case-insensitive one; a registration number is
// two to eight capitals or digits (either case when case is ignored); a text that matches the NIN
// pattern is a NIN to FormatWithValidation as well.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/reference_numbers_fuzz.h"
#include "qarntash/tax_rules/reference_numbers.h"

namespace {

bool is_registration_character(char c, bool case_sensitive) {
  if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
  return !case_sensitive && c >= 'a' && c <= 'z';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text = fuzz::text_of(data, size, false);

  static const CRegExValidator registration(CRegExValidator::REGISTRATIONNUMBER_EXPRESSION);
  const bool registration_exact = registration.Validate(text, true);
  const bool registration_any_case = registration.Validate(text, false);
  FUZZ_CHECK(!registration_exact || registration_any_case, text);
  if (registration_any_case) {
    FUZZ_CHECK(text.size() >= 2 && text.size() <= 8, text);
    for (const char c : text) FUZZ_CHECK(is_registration_character(c, registration_exact), text);
  }

  static const CRegExValidator nin(CRegExValidator::NIN_RE);
  const bool nin_exact = nin.Validate(text, true);
  const bool nin_any_case = nin.Validate(text, false);
  FUZZ_CHECK(!nin_exact || nin_any_case, text);
  if (nin_any_case) FUZZ_CHECK(!FormatNIN().FormatWithValidation(text).empty(), text);
  return 0;
}
