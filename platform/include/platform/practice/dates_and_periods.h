// File: platform/practice/dates_and_periods.h
//
// The dates a practice keeps about its clients: when each trade began and ended, the accounting
// periods (the record of kind 1 closes a period), a company's data (its date of incorporation),
// and the dated events of a party (an address change, say) that programs look up by date.
//
// Integers are little-endian; dates are day numbers (int32, 0 = none); texts are NUL-padded.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/export.h"
#include "platform/practice/table_entry.h"

#pragma pack(push, 1)

// zorv1201.ttl: trade dates (61 / 43).
struct ZORV1201_REC {            // off size
  std::int32_t client_number;    //  0   4
  char trade_description[39];    //  4  39
  std::int16_t trade_kind;       // 43   2
  std::int32_t flags;            // 45   4
  std::int32_t date_trade_began; // 49   4
  std::int32_t date_trade_ended; // 53   4
  char reserved[4];              // 57   4
};

// zorv1202.ttl: accounting periods (14 / 10).
struct ZORV1202_REC {            // off size
  std::int32_t client_number;    //  0   4
  std::int32_t period_end;       //  4   4
  std::int16_t period_kind;      //  8   2  1: the record that closes an accounting period
  std::int32_t period_id;        // 10   4
};

// ZORV1203.TTL: company data (16400 / 16, tagged). Company data is record_kind 6, parts 0.
struct ZORV1203_REC {            // off size
  std::int32_t client_number;    //  0   4
  std::int32_t record_kind;      //  4   4
  std::int32_t part3;            //  8   4
  std::int32_t part4;            // 12   4
  char tagged[16384];            // 16 16384  tagged fields (ZORV1203_COMPANY_TLD for kind 6)
};
struct ZORV1203_COMPANY_TLD {    // off size  tag
  std::int32_t date_of_incorporation;  //  0   4   400
};
constexpr std::int32_t kZorv1203CompanyData = 6;  // record_kind of a company's data

// zorv1426.ttl: dated events (64 / 17).
struct ZORV1426_REC {            // off size
  std::uint8_t party_type;       //  0   1
  std::int32_t party_number;     //  1   4
  std::int16_t event_code;       //  5   2
  std::int16_t sub_code;         //  7   2
  std::uint8_t flags;            //  9   1
  std::int32_t date;             // 10   4
  std::int32_t event_number;     // 14   4
  char description[46];          // 18  46
};

#pragma pack(pop)

static_assert(sizeof(ZORV1201_REC) == 61, "ZORV1201_REC");
static_assert(offsetof(ZORV1201_REC, trade_description) == 4 && offsetof(ZORV1201_REC, trade_kind) == 43 &&
                  offsetof(ZORV1201_REC, flags) == 45 && offsetof(ZORV1201_REC, date_trade_began) == 49 &&
                  offsetof(ZORV1201_REC, date_trade_ended) == 53 && offsetof(ZORV1201_REC, reserved) == 57,
              "ZORV1201_REC");
static_assert(sizeof(ZORV1202_REC) == 14, "ZORV1202_REC");
static_assert(offsetof(ZORV1202_REC, period_end) == 4 && offsetof(ZORV1202_REC, period_kind) == 8 &&
                  offsetof(ZORV1202_REC, period_id) == 10, "ZORV1202_REC");
static_assert(sizeof(ZORV1203_REC) == 16400, "ZORV1203_REC");
static_assert(offsetof(ZORV1203_REC, record_kind) == 4 && offsetof(ZORV1203_REC, part3) == 8 &&
                  offsetof(ZORV1203_REC, part4) == 12 && offsetof(ZORV1203_REC, tagged) == 16, "ZORV1203_REC");
static_assert(sizeof(ZORV1203_COMPANY_TLD) == 4, "ZORV1203_COMPANY_TLD");
static_assert(sizeof(ZORV1426_REC) == 64, "ZORV1426_REC");
static_assert(offsetof(ZORV1426_REC, party_number) == 1 && offsetof(ZORV1426_REC, event_code) == 5 &&
                  offsetof(ZORV1426_REC, sub_code) == 7 && offsetof(ZORV1426_REC, flags) == 9 &&
                  offsetof(ZORV1426_REC, date) == 10 && offsetof(ZORV1426_REC, event_number) == 14 &&
                  offsetof(ZORV1426_REC, description) == 18, "ZORV1426_REC");

// The field layout of a company's data (record_kind 6), ended by tag -1.
PLATFORM_API const TAGGED_FIELD_LAYOUT* zorv1203_company_tagged_fields();

PLATFORM_PM_RECORD(ZORV1201_REC, "zorv1201.ttl", "trade dates", 43, false, PM_NO_TAGGED_PART, nullptr,
                   PM_UNIQUE_KEY(PM_KEY_FIELD(ZORV1201_REC, client_number)),
                   PM_DUPLICATE_KEY(PM_KEY_FIELD(ZORV1201_REC, trade_description),
                                    PM_KEY_FIELD(ZORV1201_REC, client_number)));
PLATFORM_PM_RECORD(ZORV1202_REC, "zorv1202.ttl", "accounting periods", 10, false, PM_NO_TAGGED_PART, nullptr,
                   PM_DUPLICATE_KEY(PM_KEY_FIELD(ZORV1202_REC, client_number), PM_KEY_FIELD(ZORV1202_REC, period_end),
                                    PM_KEY_FIELD(ZORV1202_REC, period_kind)),
                   PM_UNIQUE_KEY(PM_KEY_FIELD(ZORV1202_REC, period_id)));
// The record kinds of this table differ in their tagged fields, so it has no one tagged part:
// a program reads company data through zorv1203_company_tagged_fields().
PLATFORM_PM_RECORD(ZORV1203_REC, "ZORV1203.TTL", "company data", 16, true, PM_NO_TAGGED_PART, nullptr,
                   PM_UNIQUE_KEY(PM_KEY_FIELD(ZORV1203_REC, client_number), PM_KEY_FIELD(ZORV1203_REC, record_kind),
                                 PM_KEY_FIELD(ZORV1203_REC, part3), PM_KEY_FIELD(ZORV1203_REC, part4)));
PLATFORM_PM_RECORD(ZORV1426_REC, "zorv1426.ttl", "dated events", 17, false, PM_NO_TAGGED_PART, nullptr,
                   PM_UNIQUE_KEY(PM_KEY_FIELD(ZORV1426_REC, event_number)),
                   PM_UNIQUE_KEY(PM_KEY_FIELD(ZORV1426_REC, date), PM_KEY_FIELD(ZORV1426_REC, event_number)),
                   PM_UNIQUE_KEY(PM_KEY_FIELD(ZORV1426_REC, event_code), PM_KEY_FIELD(ZORV1426_REC, sub_code),
                                 PM_KEY_FIELD(ZORV1426_REC, date), PM_KEY_FIELD(ZORV1426_REC, event_number)),
                   PM_UNIQUE_KEY(PM_KEY_FIELD(ZORV1426_REC, party_type), PM_KEY_FIELD(ZORV1426_REC, party_number),
                                 PM_KEY_FIELD(ZORV1426_REC, event_code), PM_KEY_FIELD(ZORV1426_REC, sub_code),
                                 PM_KEY_FIELD(ZORV1426_REC, date), PM_KEY_FIELD(ZORV1426_REC, event_number)));
