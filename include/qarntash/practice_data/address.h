// File: qarntash/practice_data/address.h
//
// ADDRESS: a party's postal address as the host programs keep it beside their own records: five
// lines, a postcode of up to 8 characters and the main contact number. Every text is
// NUL-terminated within its field, so a field holds one character less than its width.
// The related-party reads fill it (related_parties.h) and derived printing columns take it
// (printing_column.h): both name this one type.
#pragma once

#include <cstddef>

#pragma pack(push, 1)
struct ADDRESS {             // off size
  char line1[41];            //   0  41
  char line2[41];            //  41  41
  char line3[41];            //  82  41
  char line4[26];            // 123  26
  char line5[21];            // 149  21
  char postcode[9];          // 170   9  up to 8 characters
  char contact_number[42];   // 179  42  the party's main contact number
};
#pragma pack(pop)

static_assert(sizeof(ADDRESS) == 221, "ADDRESS is 221 bytes");
static_assert(offsetof(ADDRESS, line2) == 41 && offsetof(ADDRESS, line3) == 82 && offsetof(ADDRESS, line4) == 123 &&
                  offsetof(ADDRESS, line5) == 149 && offsetof(ADDRESS, postcode) == 170 &&
                  offsetof(ADDRESS, contact_number) == 179,
              "ADDRESS offsets");
