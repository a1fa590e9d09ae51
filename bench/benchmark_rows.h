// The rows the store benchmarks read and write: a 16-byte record with a unique key (number) and a
// key that holds duplicates (group), and the store's encoding of such a key for raw queries.
#pragma once

#include <cstdint>
#include <string>

#include "platform/record_store.h"

namespace benchmark_rows {

constexpr int kRecords = 100000;

#pragma pack(push, 1)
struct Row {
  std::int32_t number;
  std::int32_t group;
  char name[8];
};
#pragma pack(pop)
static_assert(sizeof(Row) == 16);

inline platform::TableDefinition row_table(const std::string& file_name) {
  using platform::KeySegmentType;
  return platform::TableDefinition{file_name, "benchmark rows", 16, 8, false,
                                   {{{{0, 4, KeySegmentType::signed_integer}}, false},
                                    {{{4, 4, KeySegmentType::signed_integer}}, true}}};
}

// The store's encoding of a signed 32-bit key: big-endian with the sign bit flipped.
inline std::string encoded(std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value) ^ 0x80000000u;
  const char bytes[4] = {static_cast<char>(bits >> 24), static_cast<char>(bits >> 16), static_cast<char>(bits >> 8),
                         static_cast<char>(bits)};
  return std::string(bytes, 4);
}

}  // namespace benchmark_rows
