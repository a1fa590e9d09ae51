// File: platform/practice_tables.h
//
// The catalogue of the practice's tables: every table file the suite opens, with its record
// length, key buffer length and keys, and the byte layout of its records. A set-up program (or a
// test) makes a practice data folder from it; the table classes open a record type's table by it.
//
// Integers are little-endian; dates are day numbers (int32, 0 = none); texts are NUL-padded.
// Keys are listed as (segment at offset, ...); "dup" marks a key that allows duplicates.
// Tagged tables keep their key fields in the record's first key-buffer-length bytes and their
// data as tagged fields after them (platform/field_tables.h); their tagged part structs show the
// tag of each field.
//
// Usage (a test or a set-up program):
//   platform::create_practice_data_folder("/srv/practice");           // every table, empty
//   zorv1005_rec client{};  std::strcpy(client.client_id, "AB12");
//   client.client_type = 1; client.client_number = 1001;
//   platform::insert_table_record("/srv/practice", "ZORV1005.TTL", &client, sizeof client);
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/export.h"
#include "platform/record_store.h"
#include "platform/table_classes.h"

#pragma pack(push, 1)

// ---- ZORV1005.TTL: clients (28 / 15) ------------------------------------------------------
// key 0: client_id (text 11);  key 1: client_type, client_number
struct zorv1005_rec {            // off size
  char client_id[11];            //  0  11  the visible ID: up to 10 characters and a NUL
  std::uint8_t client_type;      // 11   1  type byte of the internal reference
  std::int32_t client_number;    // 12   4  number of the internal reference
  std::int32_t status_flags;     // 16   4  status bits (2: the practice acts for the client)
  std::int32_t second_flags;     // 20   4  further bits (2: excluded from the usage counts)
  std::int32_t branch;           // 24   4  the client's branch (0: the practice as a whole)
};

// ---- zorv2006.ttl: client-year entries (10 / 8) --------------------------------------------
// key 0: client_number, year
struct ZORV2006_REC {            // off size
  std::int32_t client_number;    //  0   4
  std::int32_t year;             //  4   4  tax year
  std::int16_t flags;            //  8   2
};

// ---- zorv1370.ttl: trust entries (2018 / 18) -----------------------------------------------
// key 0: number, part, year, part2, part3;  key 1: number, year, part, part2, part3
struct ZORV1370_REC {            // off size
  std::int32_t number;           //  0   4
  std::int16_t part;             //  4   2
  std::int32_t year;             //  6   4
  std::int32_t part2;            // 10   4
  std::int32_t part3;            // 14   4
  char data[2000];               // 18 2000
};

// ---- zorv7000.ttl: non-resident entries (2020 / 20) ----------------------------------------
// key 0: number, sub_number, year, part2, part3
struct ZORV7000_REC {            // off size
  std::int32_t number;           //  0   4
  std::int32_t sub_number;       //  4   4
  std::int32_t year;             //  8   4
  std::int32_t part2;            // 12   4
  std::int32_t part3;            // 16   4
  char data[2000];               // 20 2000
};

// ---- zorv1371.ttl: relationships (527 / 15, tagged part 12) --------------------------------
// key 0: relationship_number;  key 1 dup: related reference, kind, owner reference;
// key 2: owner reference, kind, related reference, relationship_number
struct ZORV1371_REC {            // off size
  std::uint8_t owner_type;       //  0   1
  std::int32_t owner_number;     //  1   4
  std::uint8_t kind;             //  5   1  kind of relationship
  std::uint8_t related_type;     //  6   1
  std::int32_t related_number;   //  7   4
  std::int32_t relationship_number;  // 11   4  unique number of the relationship
  char tagged[512];              // 15 512  tagged fields (ZORV1371_TLD)
};
// The key buffer of key 2, as a walk over a client's relationships fills it.
struct ZORV1371_KEYBUF {         // off size
  std::uint8_t owner_type;       //  0   1
  std::int32_t owner_number;     //  1   4
  std::uint8_t kind;             //  5   1
  std::uint8_t related_type;     //  6   1
  std::int32_t related_number;   //  7   4
  std::int32_t rest;             // 11   4  relationship_number
};
struct ZORV1371_TLD {            // off size  tag
  std::int32_t start_date;       //  0   4   101
  std::int32_t end_date;         //  4   4   102
  std::int32_t share;            //  8   4   103  in hundredths of a per cent
};

// ---- ZORV1008.TTL: addresses (4604 / 16, tagged) -------------------------------------------
// key 0: owner reference, address_kind, sequence, reserved
struct ZORV1008_REC {            // off size
  std::uint8_t owner_type;       //  0   1
  std::int32_t owner_number;     //  1   4
  std::int32_t address_kind;     //  5   4
  std::int32_t sequence;         //  9   4
  char reserved[3];              // 13   3
  char tagged[4588];             // 16 4588  tagged fields (ZORV1008_TLD)
};
struct ZORV1008_CONTACT {        // off size
  char number[21];               //  0  21
  char description[31];          // 21  31
};
struct ZORV1008_EMAIL {          // off size
  char address[255];             //  0 255
  char description[31];          // 255 31
};
struct ZORV1008_TLD {            // off  size  tag
  char line1[41];                //    0  41  101
  char line2[41];                //   41  41  102
  char line3[41];                //   82  41  103
  char line4[26];                //  123  26  104
  char line5[21];                //  149  21  105
  char postcode[11];             //  170  11  106
  std::int16_t contact_flags[8]; //  181  16  107  bit 0x10: the main contact number
  std::int16_t email_flags[8];   //  197  16  108
  ZORV1008_CONTACT contacts[8];  //  213 416  301..316: odd number, even description
  ZORV1008_EMAIL emails[8];      //  629 2288 201..216: odd address, even description
  char further_text_1[35];       // 2917  35  109
  char further_text_2[35];       // 2952  35  110
  char further_text_3[41];       // 2987  41  111
  std::int32_t further_value;    // 3028   4  112
};

// ---- ZORV1009.TTL: address links (275 / 11, tagged) ----------------------------------------
// key 0: owner reference, address_kind, link_kind
struct ZORV1009_REC {            // off size
  std::uint8_t owner_type;       //  0   1
  std::int32_t owner_number;     //  1   4
  std::int32_t address_kind;     //  5   4
  std::int16_t link_kind;        //  9   2
  char tagged[264];              // 11 264  tagged fields (ZORV1009_TLD)
};
struct ZORV1009_TLD {            // off size  tag
  std::int32_t linked_address;   //  0   4   101
  std::int32_t override_address; //  4   4   102  above 0: an override address applies
};

// ---- zorv1201.ttl: trade dates (61 / 43) ---------------------------------------------------
// key 0: client_number;  key 1 dup: trade_description, client_number
struct ZORV1201_REC {            // off size
  std::int32_t client_number;    //  0   4
  char trade_description[39];    //  4  39
  std::int16_t trade_kind;       // 43   2
  std::int32_t flags;            // 45   4
  std::int32_t date_trade_began; // 49   4
  std::int32_t date_trade_ended; // 53   4
  char reserved[4];              // 57   4
};

// ---- zorv1202.ttl: accounting periods (14 / 10) --------------------------------------------
// key 0 dup: client_number, period_end, period_kind;  key 1: period_id
struct ZORV1202_REC {            // off size
  std::int32_t client_number;    //  0   4
  std::int32_t period_end;       //  4   4
  std::int16_t period_kind;      //  8   2  1: the record that closes an accounting period
  std::int32_t period_id;        // 10   4
};

// ---- ZORV1203.TTL: company data (16400 / 16, tagged) ---------------------------------------
// key 0: client_number, record_kind, part3, part4 (company data: record_kind 6, parts 0)
struct ZORV1203_REC {            // off size
  std::int32_t client_number;    //  0   4
  std::int32_t record_kind;      //  4   4
  std::int32_t part3;            //  8   4
  std::int32_t part4;            // 12   4
  char tagged[16384];            // 16 16384  tagged fields: 400 date of incorporation (raw 4)
};

// ---- zorv3000.ttl: report settings (512 / 6, tagged) ---------------------------------------
// key 0: record_kind, user_id
struct ZORV3000_REC {            // off size
  std::int32_t record_kind;      //  0   4  11 header, 15 fly sheet, 19 options, 29 footer
  std::int16_t user_id;          //  4   2  0: the practice as a whole
  char tagged[506];              //  6 506
};

// ---- zorv2000.ttl: practice defaults (1030 / 6, tagged) ------------------------------------
// key 0: entry_type, zero (tagged key fields 9993 and 9994)
struct ZORV2000_REC {            // off size
  std::int32_t entry_type;       //  0   4
  std::int16_t zero;             //  4   2
  char tagged[1024];             //  6 1024
};

// ---- zorv1101.ttl: individuals (200 / 61) --------------------------------------------------
// key 0: individual_number;  key 1 dup: surname
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

// ---- zorv1012.ttl: other parties, type 75 (128 / 11) ---------------------------------------
// key 0: code;  key 1: party_number
struct ZORV1012_REC {            // off size
  char code[11];                 //  0  11
  std::int32_t party_number;     // 11   4
  char name[61];                 // 15  61
  std::int32_t date_created;     // 76   4
  char reserved[48];             // 80  48
};

// ---- zorv1426.ttl: dated events (64 / 17) --------------------------------------------------
// key 0: event_number;  key 1: date, event_number;  key 2: event_code, sub_code, date,
// event_number;  key 3: reference, event_code, sub_code, date, event_number
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

// ---- zorv1411.ttl: job types (64 / 41) -----------------------------------------------------
// key 0: job_id;  key 1: code;  key 2 dup: description;  key 3: job_type, job_id
struct ZORV1411_REC {            // off size
  char code[11];                 //  0  11
  std::int32_t job_id;           // 11   4
  std::int32_t job_type;         // 15   4
  char description[41];          // 19  41
  std::int32_t flags;            // 60   4
};

// ---- zorv1445.ttl: job recurrences (277 / 17) ----------------------------------------------
// key 0: recurrence_number;  key 1: client reference, job_id, date, recurrence_number
struct ZORV1445_REC {            // off size
  std::int32_t recurrence_number;  //  0   4
  std::uint8_t client_type;      //  4   1
  std::int32_t client_number;    //  5   4
  std::int32_t current_stage;    //  9   4
  std::int32_t job_id;           // 13   4
  std::int32_t date;             // 17   4  the period's date (0 for undated jobs)
  std::int32_t date_created;     // 21   4
  char notes[252];               // 25 252
};

// ---- zorv1431.ttl: job stages (272 / 12, tagged part) --------------------------------------
// key 0: job_id, stage_number;  key 1 dup: event_type, job_id;
// key 2: job_id, event_type, stage_number
struct ZORV1431_REC {            // off size
  std::int32_t job_id;           //  0   4
  std::int32_t event_type;       //  4   4
  std::int32_t stage_number;     //  8   4
  char tagged[260];              // 12 260  tagged fields (ZORV1431_TLD)
};
struct ZORV1431_TLD {            // off size  tag
  char description[81];          //  0  81   101
  std::int32_t due_days;         // 81   4   102
  std::int32_t client_type_exclusions;  // 85  4  103  client-type bits for which the stage is skipped
  std::int32_t flags;            // 89   4   104
};

// ---- zorv1446.ttl: stages reached by a job recurrence (32 / 13) ----------------------------
// key 0: recurrence_number, stage_number;  key 1 dup: date_reached, recurrence_number,
// stage_number, done
struct ZORV1446_REC {            // off size
  std::int32_t recurrence_number;  //  0   4
  std::int32_t stage_number;     //  4   4
  std::int32_t date_reached;     //  8   4
  std::uint8_t done;             // 12   1
  char reserved[19];             // 13  19
};

// ---- zorv1410.ttl: agents (1024 / 8, tagged) -----------------------------------------------
// key 0: branch, agent_kind
struct ZORV1410_REC {            // off size
  std::int32_t branch;           //  0   4
  std::int32_t agent_kind;       //  4   4
  char tagged[1016];             //  8 1016  tagged fields (ZORV1410_TLD)
};
struct ZORV1410_TLD {            // off size  tag
  char name[61];                 //   0  61  101
  char reference[21];            //  61  21  102  the agent's reference with the tax office
  char phone[21];                //  82  21  103
  char email[61];                // 103  61  104
};

#pragma pack(pop)

static_assert(sizeof(zorv1005_rec) == 28 && offsetof(zorv1005_rec, client_number) == 12, "zorv1005_rec");
static_assert(sizeof(ZORV2006_REC) == 10, "ZORV2006_REC");
static_assert(sizeof(ZORV1370_REC) == 2018 && offsetof(ZORV1370_REC, year) == 6, "ZORV1370_REC");
static_assert(sizeof(ZORV7000_REC) == 2020 && offsetof(ZORV7000_REC, year) == 8, "ZORV7000_REC");
static_assert(sizeof(ZORV1371_REC) == 527 && offsetof(ZORV1371_REC, tagged) == 15, "ZORV1371_REC");
static_assert(sizeof(ZORV1371_KEYBUF) == 15 && offsetof(ZORV1371_KEYBUF, related_type) == 6, "ZORV1371_KEYBUF");
static_assert(sizeof(ZORV1371_TLD) == 12, "ZORV1371_TLD");
static_assert(sizeof(ZORV1008_REC) == 4604 && offsetof(ZORV1008_REC, tagged) == 16, "ZORV1008_REC");
static_assert(sizeof(ZORV1008_TLD) == 3032 && offsetof(ZORV1008_TLD, postcode) == 170, "ZORV1008_TLD");
static_assert(offsetof(ZORV1008_TLD, contacts) == 213 && offsetof(ZORV1008_TLD, emails) == 629, "ZORV1008_TLD");
static_assert(offsetof(ZORV1008_TLD, further_value) == 3028, "ZORV1008_TLD");
static_assert(sizeof(ZORV1009_REC) == 275 && offsetof(ZORV1009_REC, tagged) == 11, "ZORV1009_REC");
static_assert(sizeof(ZORV1009_TLD) == 8, "ZORV1009_TLD");
static_assert(sizeof(ZORV1201_REC) == 61 && offsetof(ZORV1201_REC, date_trade_began) == 49 &&
                  offsetof(ZORV1201_REC, date_trade_ended) == 53, "ZORV1201_REC");
static_assert(sizeof(ZORV1202_REC) == 14 && offsetof(ZORV1202_REC, period_kind) == 8, "ZORV1202_REC");
static_assert(sizeof(ZORV1203_REC) == 16400, "ZORV1203_REC");
static_assert(sizeof(ZORV3000_REC) == 512, "ZORV3000_REC");
static_assert(sizeof(ZORV2000_REC) == 1030, "ZORV2000_REC");
static_assert(sizeof(ZORV1101_REC) == 200 && offsetof(ZORV1101_REC, date_of_death) == 167, "ZORV1101_REC");
static_assert(sizeof(ZORV1012_REC) == 128 && offsetof(ZORV1012_REC, party_number) == 11, "ZORV1012_REC");
static_assert(sizeof(ZORV1426_REC) == 64 && offsetof(ZORV1426_REC, date) == 10, "ZORV1426_REC");
static_assert(sizeof(ZORV1411_REC) == 64 && offsetof(ZORV1411_REC, job_id) == 11, "ZORV1411_REC");
static_assert(sizeof(ZORV1445_REC) == 277 && offsetof(ZORV1445_REC, client_type) == 4 &&
                  offsetof(ZORV1445_REC, job_id) == 13, "ZORV1445_REC");
static_assert(sizeof(ZORV1431_REC) == 272, "ZORV1431_REC");
static_assert(sizeof(ZORV1431_TLD) == 93 && offsetof(ZORV1431_TLD, client_type_exclusions) == 85, "ZORV1431_TLD");
static_assert(sizeof(ZORV1446_REC) == 32, "ZORV1446_REC");
static_assert(sizeof(ZORV1410_REC) == 1024 && sizeof(ZORV1410_TLD) == 164, "ZORV1410");

// The field layouts of the tagged parts, ended by tag -1.
PLATFORM_API const TAGGED_FIELD_LAYOUT* zorv1371_tagged_fields();
PLATFORM_API const TAGGED_FIELD_LAYOUT* zorv1008_tagged_fields();
PLATFORM_API const TAGGED_FIELD_LAYOUT* zorv1009_tagged_fields();
PLATFORM_API const TAGGED_FIELD_LAYOUT* zorv1431_tagged_fields();
PLATFORM_API const TAGGED_FIELD_LAYOUT* zorv1410_tagged_fields();

// Record types for PM_DBASE: each names its table file, lengths and tagged part.
#define PLATFORM_PM_RECORD(Record, File, KeyLength, Tld, Fields)                 \
  template <>                                                                    \
  struct pm_record_traits<Record> {                                              \
    static constexpr const char* file_name = File;                               \
    static constexpr int record_length = static_cast<int>(sizeof(Record));       \
    static constexpr int key_length = KeyLength;                                 \
    using tld_type = Tld;                                                        \
    static const TAGGED_FIELD_LAYOUT* tagged_fields() { return Fields; }         \
  }

PLATFORM_PM_RECORD(zorv1005_rec, "ZORV1005.TTL", 15, PM_NO_TAGGED_PART, nullptr);
PLATFORM_PM_RECORD(ZORV2006_REC, "zorv2006.ttl", 8, PM_NO_TAGGED_PART, nullptr);
PLATFORM_PM_RECORD(ZORV1370_REC, "zorv1370.ttl", 18, PM_NO_TAGGED_PART, nullptr);
PLATFORM_PM_RECORD(ZORV7000_REC, "zorv7000.ttl", 20, PM_NO_TAGGED_PART, nullptr);
PLATFORM_PM_RECORD(ZORV1371_REC, "zorv1371.ttl", 15, ZORV1371_TLD, zorv1371_tagged_fields());
PLATFORM_PM_RECORD(ZORV1008_REC, "ZORV1008.TTL", 16, ZORV1008_TLD, zorv1008_tagged_fields());
PLATFORM_PM_RECORD(ZORV1009_REC, "ZORV1009.TTL", 11, ZORV1009_TLD, zorv1009_tagged_fields());
PLATFORM_PM_RECORD(ZORV1201_REC, "zorv1201.ttl", 43, PM_NO_TAGGED_PART, nullptr);
PLATFORM_PM_RECORD(ZORV1202_REC, "zorv1202.ttl", 10, PM_NO_TAGGED_PART, nullptr);
PLATFORM_PM_RECORD(ZORV1101_REC, "zorv1101.ttl", 61, PM_NO_TAGGED_PART, nullptr);
PLATFORM_PM_RECORD(ZORV1012_REC, "zorv1012.ttl", 11, PM_NO_TAGGED_PART, nullptr);
PLATFORM_PM_RECORD(ZORV1426_REC, "zorv1426.ttl", 17, PM_NO_TAGGED_PART, nullptr);
PLATFORM_PM_RECORD(ZORV1411_REC, "zorv1411.ttl", 41, PM_NO_TAGGED_PART, nullptr);
PLATFORM_PM_RECORD(ZORV1445_REC, "zorv1445.ttl", 17, PM_NO_TAGGED_PART, nullptr);
PLATFORM_PM_RECORD(ZORV1431_REC, "zorv1431.ttl", 12, ZORV1431_TLD, zorv1431_tagged_fields());
PLATFORM_PM_RECORD(ZORV1446_REC, "zorv1446.ttl", 13, PM_NO_TAGGED_PART, nullptr);
PLATFORM_PM_RECORD(ZORV1410_REC, "zorv1410.ttl", 8, ZORV1410_TLD, zorv1410_tagged_fields());

#undef PLATFORM_PM_RECORD

namespace platform {

// Every practice table, in file-name order of the suite's numbering.
PLATFORM_API const std::vector<TableDefinition>& practice_tables();

// The catalogue entry of `file_name` (matched case-insensitively), or null.
PLATFORM_API const TableDefinition* find_practice_table(const std::string& file_name);

// Makes one practice table file in `data_path` from its catalogue entry: 0, 11 for a name the
// catalogue lacks, or create_table_file's status.
PLATFORM_API int create_practice_table(const std::string& data_path, const std::string& file_name);

// Makes the folder (and its parents) and every practice table file that it lacks. 0, or the
// first failure's status (2 when the folder cannot be made).
PLATFORM_API int create_practice_data_folder(const std::string& data_path);

}  // namespace platform
