// Helpers shared by the fuzz targets of reference numbers and conversions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzz {

// Stops the run with the broken invariant and the input in view: libFuzzer saves the input.
#define FUZZ_CHECK(condition, input)                                                        \
  do {                                                                                      \
    if (!(condition)) {                                                                     \
      std::fprintf(stderr, "invariant broken: %s\ninput: \"%s\"\n", #condition,             \
                   (input).c_str());                                                        \
      std::abort();                                                                         \
    }                                                                                       \
  } while (0)

// The fuzzer's bytes as a string. The functions under test take terminated strings, so what
// follows a zero byte is cut off where they would not see it either.
inline std::string text_of(const std::uint8_t* data, std::size_t size, bool stop_at_zero = true) {
  std::string text(reinterpret_cast<const char*>(data), size);
  if (stop_at_zero) {
    const std::size_t zero = text.find('\0');
    if (zero != std::string::npos) text.resize(zero);
  }
  return text;
}

}  // namespace fuzz
