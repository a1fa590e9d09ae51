// Converter::StringToDouble on arbitrary text; the first byte chooses the empty text.
//
// Invariants: a failure leaves the empty value; a number read is finite; a number written back
// by DoubleToString reads again to within its six significant digits.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/reference_numbers_fuzz.h"
#include "qarntash/tax_rules/conversions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const char* const empty_texts[] = {"", "N/A", "0", " "};
  const std::string empty_text = empty_texts[data[0] % 4];
  const std::string text = fuzz::text_of(data + 1, size - 1);
  const double empty = Converter::DblEmptyVal();

  double value = 0.0;
  const bool read = Converter::StringToDouble(text.c_str(), &value, empty_text);
  if (!read || text == empty_text) {
    FUZZ_CHECK(value == empty, text);
    return 0;
  }
  FUZZ_CHECK(std::isfinite(value), text);
  if (value == empty) return 0;

  char written[32];
  FUZZ_CHECK(Converter::DoubleToString(&value, sizeof written, written, empty_text), text);
  double again = 0.0;
  FUZZ_CHECK(Converter::StringToDouble(written, &again, "\x01"), text);
  FUZZ_CHECK(std::fabs(again - value) <= 5e-6 * std::fabs(value) || std::fabs(value) < 1e-300, text);
  return 0;
}
