// FormatNIN::FormatWithValidation and IsIssuableNIN on arbitrary text.
//
// Invariants: a canonical layout is accepted again and comes back unchanged; it is 11 or 13
// characters of groups of two separated by single spaces (with a lone suffix letter); it matches
// NIN_RE case-sensitively; and an issuable number is always a valid one.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/reference_numbers_fuzz.h"
#include "qarntash/tax_rules/reference_numbers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string nin = fuzz::text_of(data, size, false);
  const FormatNIN format;
  const std::string canonical = format.FormatWithValidation(nin);
  const bool issuable = FormatNIN::IsIssuableNIN(nin);
  FUZZ_CHECK(!issuable || !canonical.empty(), nin);
  if (canonical.empty()) return 0;

  FUZZ_CHECK(format.FormatWithValidation(canonical) == canonical, nin);
  FUZZ_CHECK(canonical.size() == 11 || canonical.size() == 13, nin);
  for (std::size_t i = 0; i < canonical.size(); ++i) {
    FUZZ_CHECK((i % 3 == 2) == (canonical[i] == ' '), nin);
  }
  FUZZ_CHECK(CRegExValidator(CRegExValidator::NIN_RE).Validate(canonical, true), nin);
  FUZZ_CHECK(FormatNIN::IsIssuableNIN(canonical) == issuable, nin);
  return 0;
}
