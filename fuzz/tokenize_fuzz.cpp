// tokenize on arbitrary text and delimiters: the first byte gives how many of the following
// bytes are delimiters, the rest is the text.
//
// Invariants: no token is empty or holds a delimiter; the tokens, joined, are the text with its
// delimiters left out; and each token stands in the text in order.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/reference_numbers_fuzz.h"
#include "qarntash/tax_rules/conversions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t delimiter_count = data[0] % 8 < size - 1 ? data[0] % 8 : size - 1;
  const std::string delimiters(reinterpret_cast<const char*>(data + 1), delimiter_count);
  const std::string text(reinterpret_cast<const char*>(data + 1 + delimiter_count), size - 1 - delimiter_count);

  const std::vector<std::string> tokens = tokenize(text, delimiters);
  std::string joined;
  std::size_t position = 0;
  for (const std::string& token : tokens) {
    FUZZ_CHECK(!token.empty(), text);
    FUZZ_CHECK(token.find_first_of(delimiters) == std::string::npos, text);
    position = text.find(token, position);
    FUZZ_CHECK(position != std::string::npos, text);
    position += token.size();
    joined += token;
  }
  std::string without_delimiters;
  for (const char c : text) {
    if (delimiters.find(c) == std::string::npos) without_delimiters += c;
  }
  FUZZ_CHECK(joined == without_delimiters, text);
  return 0;
}
