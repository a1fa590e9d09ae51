// StripSpaces on arbitrary text, into a buffer exactly as long as the source, and in place.
//
// Invariants: the result has no space or hyphen, is no longer than the source, keeps every other
// character in order, and is the same when stripped in place.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/reference_numbers_fuzz.h"
#include "qarntash/tax_rules/conversions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string source = fuzz::text_of(data, size);
  std::vector<char> destination(source.size() + 1);
  const char* const result = StripSpaces(destination.data(), 0, source.c_str());
  FUZZ_CHECK(result == destination.data(), source);
  const std::string stripped(result);
  FUZZ_CHECK(stripped.find_first_of(" -") == std::string::npos, source);
  FUZZ_CHECK(stripped.size() <= source.size(), source);

  std::string expected;
  for (const char c : source) {
    if (c != ' ' && c != '-') expected += c;
  }
  FUZZ_CHECK(stripped == expected, source);

  std::vector<char> in_place(source.c_str(), source.c_str() + source.size() + 1);
  FUZZ_CHECK(std::string(StripSpaces(in_place.data(), 0, in_place.data())) == stripped, source);
  return 0;
}
