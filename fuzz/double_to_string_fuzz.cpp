// Converter::DoubleToString and CO2EmissionToString into small buffers: the first 8 bytes are
// the value, the next the buffer size (0 to 31), the rest the empty text.
//
// Invariants: nothing is written outside the buffer (it sits between guard bytes, and ASan
// watches as well); a size of 0 writes nothing and fails; whatever is written is terminated
// within the size; success means the whole text fitted and reads back as the value (to six
// significant digits) or is the empty text.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/reference_numbers_fuzz.h"
#include "qarntash/tax_rules/conversions.h"

namespace {

constexpr std::size_t kGuard = 8;
constexpr char kGuardByte = '\x5a';

void check_conversion(double value, unsigned int size, const std::string& empty_text, bool co2) {
  const std::string label = std::to_string(value) + " size " + std::to_string(size) + (co2 ? " co2" : "");
  std::vector<char> memory(size + 2 * kGuard, kGuardByte);
  char* const buffer = memory.data() + kGuard;
  double caller_value = value;
  const bool ok = co2 ? Converter::CO2EmissionToString(&caller_value, size, buffer, empty_text)
                      : Converter::DoubleToString(&value, size, buffer, empty_text);
  for (std::size_t i = 0; i < kGuard; ++i) {
    FUZZ_CHECK(memory[i] == kGuardByte && memory[kGuard + size + i] == kGuardByte, label);
  }
  if (size == 0) {
    FUZZ_CHECK(!ok, label);
    return;
  }
  const std::size_t length = strnlen(buffer, size);
  FUZZ_CHECK(length < size, label);
  if (!ok) return;

  const double empty = Converter::DblEmptyVal();
  const double shown = co2 ? caller_value : value;
  if (shown == empty) {
    FUZZ_CHECK(std::string(buffer) == empty_text.substr(0, empty_text.find('\0')), label);
    return;
  }
  // A real figure is left as it was (compared bit for bit, since NaN is not equal to itself).
  if (co2) FUZZ_CHECK(std::memcmp(&caller_value, &value, sizeof value) == 0, label);
  if (!std::isfinite(shown)) return;
  double again = 0.0;
  FUZZ_CHECK(Converter::StringToDouble(buffer, &again, "\x01"), label);
  FUZZ_CHECK(std::fabs(again - shown) <= 5e-6 * std::fabs(shown) || std::fabs(shown) < 1e-300, label);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 9) return 0;
  double value = 0.0;
  std::memcpy(&value, data, sizeof value);
  const unsigned int buffer_size = data[8] % 32;
  const std::string empty_text(reinterpret_cast<const char*>(data + 9), size - 9);
  check_conversion(value, buffer_size, empty_text, false);
  check_conversion(value, buffer_size, empty_text, true);
  // The empty value itself, which must give the empty text whatever the fuzzer chose.
  check_conversion(Converter::DblEmptyVal(), buffer_size, empty_text, false);
  return 0;
}
