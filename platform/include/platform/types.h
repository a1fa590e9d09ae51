// File: platform/types.h
//
// Small value records that cross the suite's interfaces in fixed byte layouts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#pragma pack(push, 1)
// The internal reference of a client or other party. Copied and compared whole, as 5 bytes; a
// number of 0 means no party.
struct PMCO_INT_REF {   // off size
  std::uint8_t type;    //  0   1   the party's type (1 business, 5 trust, ...)
  std::int32_t number;  //  1   4   the party's number within its type

  friend bool operator==(const PMCO_INT_REF& a, const PMCO_INT_REF& b) {
    return std::memcmp(&a, &b, sizeof(PMCO_INT_REF)) == 0;
  }
  friend bool operator!=(const PMCO_INT_REF& a, const PMCO_INT_REF& b) { return !(a == b); }
  // Byte order of the whole record, as a key compares.
  friend bool operator<(const PMCO_INT_REF& a, const PMCO_INT_REF& b) {
    return std::memcmp(&a, &b, sizeof(PMCO_INT_REF)) < 0;
  }
};

// A money value handed to the report printer: the amount and a 16-bit member that the library
// sets to 0 (the printer's own flags).
struct mm_buffer {      // off size
  double value;         //  0   8   pounds
  std::int16_t flags;   //  8   2
};
#pragma pack(pop)
static_assert(sizeof(PMCO_INT_REF) == 5, "PMCO_INT_REF is 5 bytes");
static_assert(offsetof(PMCO_INT_REF, number) == 1, "PMCO_INT_REF.number at 1");
static_assert(sizeof(mm_buffer) == 10, "mm_buffer is 10 bytes");
static_assert(offsetof(mm_buffer, flags) == 8, "mm_buffer.flags at 8");
