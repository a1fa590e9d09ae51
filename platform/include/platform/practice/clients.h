// File: platform/practice/clients.h
//
// The practice's parties and their yearly entries: the clients table with each client's visible
// ID and internal reference (type 1 individual, 2 business, 5 trust, 75 other party), the
// individuals and other parties behind the references, and the client-year, trust and
// non-resident entries that the usage counts walk.
//
// Integers are little-endian; dates are day numbers (int32, 0 = none); texts are NUL-padded.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/practice/table_entry.h"

#pragma pack(push, 1)

// ZORV1005.TTL: clients (28 / 15).
struct zorv1005_rec {            // off size
  char client_id[11];            //  0  11  the visible ID: up to 10 characters and a NUL
  std::uint8_t client_type;      // 11   1  type byte of the internal reference
  std::int32_t client_number;    // 12   4  number of the internal reference
  std::int32_t status_flags;     // 16   4  status bits (2: the practice acts for the client)
  std::int32_t second_flags;     // 20   4  further bits (2: excluded from the usage counts)
  std::int32_t branch;           // 24   4  the client's branch (0: the practice as a whole)
};

// zorv2006.ttl: client-year entries (10 / 8).
struct ZORV2006_REC {            // off size
  std::int32_t client_number;    //  0   4
  std::int32_t year;             //  4   4  tax year
  std::int16_t flags;            //  8   2
};

// zorv1370.ttl: trust entries (2018 / 18).
struct ZORV1370_REC {            // off size
  std::int32_t number;           //  0   4
  std::int16_t part;             //  4   2
  std::int32_t year;             //  6   4
  std::int32_t part2;            // 10   4
  std::int32_t part3;            // 14   4
  char data[2000];               // 18 2000
};

// zorv7000.ttl: non-resident entries (2020 / 20).
struct ZORV7000_REC {            // off size
  std::int32_t number;           //  0   4
  std::int32_t sub_number;       //  4   4
  std::int32_t year;             //  8   4
  std::int32_t part2;            // 12   4
  std::int32_t part3;            // 16   4
  char data[2000];               // 20 2000
};

// zorv1101.ttl: individuals (200 / 61).
struct ZORV1101_REC {            // off size
  std::int32_t individual_number;  //  0   4
  char title[11];                //  4  11
  char forenames[61];            // 15  61
  char surname[61];              // 76  61
  std::int32_t date_of_birth;    // 137  4
  char gender;                   // 141  1
  char ni_number[10];            // 142 10
  char utr[11];                  // 152 11
  char reserved[4];              // 163  4
  std::int32_t date_of_death;    // 167  4
  std::uint8_t marital_status;   // 171  1
  char reserved2[28];            // 172 28
};

// zorv1012.ttl: other parties, type 75 (128 / 11).
struct ZORV1012_REC {            // off size
  char code[11];                 //  0  11
  std::int32_t party_number;     // 11   4
  char name[61];                 // 15  61
  std::int32_t date_created;     // 76   4
  char reserved[48];             // 80  48
};

#pragma pack(pop)

static_assert(sizeof(zorv1005_rec) == 28, "zorv1005_rec");
static_assert(offsetof(zorv1005_rec, client_type) == 11 && offsetof(zorv1005_rec, client_number) == 12 &&
                  offsetof(zorv1005_rec, status_flags) == 16 && offsetof(zorv1005_rec, second_flags) == 20 &&
                  offsetof(zorv1005_rec, branch) == 24, "zorv1005_rec");
static_assert(sizeof(ZORV2006_REC) == 10, "ZORV2006_REC");
static_assert(offsetof(ZORV2006_REC, year) == 4 && offsetof(ZORV2006_REC, flags) == 8, "ZORV2006_REC");
static_assert(sizeof(ZORV1370_REC) == 2018, "ZORV1370_REC");
static_assert(offsetof(ZORV1370_REC, part) == 4 && offsetof(ZORV1370_REC, year) == 6 &&
                  offsetof(ZORV1370_REC, part2) == 10 && offsetof(ZORV1370_REC, part3) == 14 &&
                  offsetof(ZORV1370_REC, data) == 18, "ZORV1370_REC");
static_assert(sizeof(ZORV7000_REC) == 2020, "ZORV7000_REC");
static_assert(offsetof(ZORV7000_REC, sub_number) == 4 && offsetof(ZORV7000_REC, year) == 8 &&
                  offsetof(ZORV7000_REC, part2) == 12 && offsetof(ZORV7000_REC, part3) == 16 &&
                  offsetof(ZORV7000_REC, data) == 20, "ZORV7000_REC");
static_assert(sizeof(ZORV1101_REC) == 200, "ZORV1101_REC");
static_assert(offsetof(ZORV1101_REC, title) == 4 && offsetof(ZORV1101_REC, forenames) == 15 &&
                  offsetof(ZORV1101_REC, surname) == 76 && offsetof(ZORV1101_REC, date_of_birth) == 137 &&
                  offsetof(ZORV1101_REC, gender) == 141 && offsetof(ZORV1101_REC, ni_number) == 142 &&
                  offsetof(ZORV1101_REC, utr) == 152 && offsetof(ZORV1101_REC, reserved) == 163 &&
                  offsetof(ZORV1101_REC, date_of_death) == 167 && offsetof(ZORV1101_REC, marital_status) == 171 &&
                  offsetof(ZORV1101_REC, reserved2) == 172, "ZORV1101_REC");
static_assert(sizeof(ZORV1012_REC) == 128, "ZORV1012_REC");
static_assert(offsetof(ZORV1012_REC, party_number) == 11 && offsetof(ZORV1012_REC, name) == 15 &&
                  offsetof(ZORV1012_REC, date_created) == 76 && offsetof(ZORV1012_REC, reserved) == 80,
              "ZORV1012_REC");

PLATFORM_PM_RECORD(zorv1005_rec, "ZORV1005.TTL", "clients", 15, false, PM_NO_TAGGED_PART, nullptr,
                   PM_UNIQUE_KEY(PM_KEY_FIELD(zorv1005_rec, client_id)),
                   PM_UNIQUE_KEY(PM_KEY_FIELD(zorv1005_rec, client_type), PM_KEY_FIELD(zorv1005_rec, client_number)));
PLATFORM_PM_RECORD(ZORV2006_REC, "zorv2006.ttl", "client-year entries", 8, false, PM_NO_TAGGED_PART, nullptr,
                   PM_UNIQUE_KEY(PM_KEY_FIELD(ZORV2006_REC, client_number), PM_KEY_FIELD(ZORV2006_REC, year)));
PLATFORM_PM_RECORD(ZORV1370_REC, "zorv1370.ttl", "trust entries", 18, false, PM_NO_TAGGED_PART, nullptr,
                   PM_UNIQUE_KEY(PM_KEY_FIELD(ZORV1370_REC, number), PM_KEY_FIELD(ZORV1370_REC, part),
                                 PM_KEY_FIELD(ZORV1370_REC, year), PM_KEY_FIELD(ZORV1370_REC, part2),
                                 PM_KEY_FIELD(ZORV1370_REC, part3)),
                   PM_UNIQUE_KEY(PM_KEY_FIELD(ZORV1370_REC, number), PM_KEY_FIELD(ZORV1370_REC, year),
                                 PM_KEY_FIELD(ZORV1370_REC, part), PM_KEY_FIELD(ZORV1370_REC, part2),
                                 PM_KEY_FIELD(ZORV1370_REC, part3)));
PLATFORM_PM_RECORD(ZORV7000_REC, "zorv7000.ttl", "non-resident entries", 20, false, PM_NO_TAGGED_PART, nullptr,
                   PM_UNIQUE_KEY(PM_KEY_FIELD(ZORV7000_REC, number), PM_KEY_FIELD(ZORV7000_REC, sub_number),
                                 PM_KEY_FIELD(ZORV7000_REC, year), PM_KEY_FIELD(ZORV7000_REC, part2),
                                 PM_KEY_FIELD(ZORV7000_REC, part3)));
PLATFORM_PM_RECORD(ZORV1101_REC, "zorv1101.ttl", "individuals", 61, false, PM_NO_TAGGED_PART, nullptr,
                   PM_UNIQUE_KEY(PM_KEY_FIELD(ZORV1101_REC, individual_number)),
                   PM_DUPLICATE_KEY(PM_KEY_FIELD(ZORV1101_REC, surname)));
PLATFORM_PM_RECORD(ZORV1012_REC, "zorv1012.ttl", "other parties", 11, false, PM_NO_TAGGED_PART, nullptr,
                   PM_UNIQUE_KEY(PM_KEY_FIELD(ZORV1012_REC, code)),
                   PM_UNIQUE_KEY(PM_KEY_FIELD(ZORV1012_REC, party_number)));
