// Make_Barcode on arbitrary references, numbers and codes. The input is a 4-byte number, then the
// reference and the code separated by the first zero byte.
//
// Invariants: the text always fits its 100-byte buffer; it is empty exactly when the reference is
// not 10 characters long or the whole text would not fit; otherwise it is the reference's
// characters each with a space, the code, a space, the number's characters each with a space, and
// " CR".
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz/reference_numbers_fuzz.h"
#include "qarntash/practice_data/documents.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < sizeof(std::int32_t)) return 0;
  std::int32_t number;
  std::memcpy(&number, data, sizeof number);
  const std::string rest = fuzz::text_of(data + sizeof number, size - sizeof number, false);
  const std::size_t zero = rest.find('\0');
  const std::string reference = rest.substr(0, zero);
  const std::string code = zero == std::string::npos ? "" : fuzz::text_of(
      reinterpret_cast<const std::uint8_t*>(rest.data()) + zero + 1, rest.size() - zero - 1);

  const std::string barcode = Make_Barcode(reference.c_str(), number, code.c_str());
  const std::string input = reference + " | " + code + " | " + std::to_string(number);
  FUZZ_CHECK(barcode.size() < 100, input);

  std::string expected;
  for (const char c : reference) (expected += c) += ' ';
  expected += code + " ";
  for (const char c : std::to_string(number)) (expected += c) += ' ';
  expected += " CR";
  const bool makes_barcode = reference.size() == 10 && expected.size() < 100;
  FUZZ_CHECK(barcode == (makes_barcode ? expected : std::string()), input);
  return 0;
}
