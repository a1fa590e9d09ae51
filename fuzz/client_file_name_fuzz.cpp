// The rule that makes a client's file name from its visible ID, on arbitrary IDs.
//
// Invariants: an empty ID (up to its first zero byte) has no name; any other gives a name of 1 to
// 11 characters with no path separator, wildcard, character Windows refuses or control character,
// that is not "." or "..", nor only dots, nor a Windows device name; and the rule leaves its own
// names as they are.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "client_file_name.h"
#include "fuzz/reference_numbers_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using practice_data_internal::client_file_name;
  const std::string id = fuzz::text_of(data, size, false);
  const auto name = client_file_name(id);
  const bool empty_id = id.empty() || id[0] == '\0';
  FUZZ_CHECK(name.has_value() == !empty_id, id);
  if (!name) return 0;

  FUZZ_CHECK(!name->empty() && name->size() <= 11, id);
  FUZZ_CHECK(name->find_first_of("/\\:#*\"><|?") == std::string::npos, id);
  FUZZ_CHECK(std::none_of(name->begin(), name->end(),
                          [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; }),
             id);
  FUZZ_CHECK(name->find_first_not_of('.') != std::string::npos, id);
  std::string stem = name->substr(0, name->find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  std::transform(stem.begin(), stem.end(), stem.begin(),
                 [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; });
  const bool device = stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL" ||
                      (stem.size() == 4 && (stem.rfind("COM", 0) == 0 || stem.rfind("LPT", 0) == 0) &&
                       stem[3] >= '1' && stem[3] <= '9');
  FUZZ_CHECK(!device, id);
  if (name->size() <= 10) FUZZ_CHECK(client_file_name(*name) == name, id);
  return 0;
}
