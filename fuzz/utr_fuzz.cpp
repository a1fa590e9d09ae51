// FormatUTR::ValidDigitUTR and ValidCheckDigitUTR on arbitrary text.
//
// Invariants: both answer 0 or 1; the digit test fails only when the text holds at least ten
// characters; a check digit passes only for exactly ten digits, with spaces, at most a final
// "K" and nothing else, and the same digits written without spaces pass as well.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/reference_numbers_fuzz.h"
#include "qarntash/tax_rules/reference_numbers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string utr = fuzz::text_of(data, size);
  const int digit_test = FormatUTR::ValidDigitUTR(utr.c_str());
  const int check_digit = FormatUTR::ValidCheckDigitUTR(utr.c_str());
  FUZZ_CHECK(digit_test == 0 || digit_test == 1, utr);
  FUZZ_CHECK(check_digit == 0 || check_digit == 1, utr);
  FUZZ_CHECK(digit_test == 1 || utr.size() >= 10, utr);
  if (check_digit == 0) return 0;

  std::string digits;
  for (std::size_t i = 0; i < utr.size(); ++i) {
    const char c = utr[i];
    if (c >= '0' && c <= '9') {
      digits += c;
    } else {
      FUZZ_CHECK(c == ' ' || (c == 'K' && i + 1 == utr.size()), utr);
    }
  }
  FUZZ_CHECK(digits.size() == 10, utr);
  FUZZ_CHECK(digits[0] != '0', utr);
  FUZZ_CHECK(FormatUTR::ValidCheckDigitUTR(digits.c_str()) == 1, utr);
  return 0;
}
