// File: platform/practice/settings.h
//
// What the practice sets once for everyone (or per user): the report settings of each user (page
// header, footer, fly sheet and standard report options, user 0 for the practice as a whole), the
// practice defaults of the tax programs (one entry per kind of setting: the tax return options
// are entry type 16, the computation options 19), and the agent details of each branch.
//
// All three tables keep tagged fields after their key fields. A settings table holds rows of
// several kinds, each with its own tagged part, so its tagged parts are declared per kind
// below, each with its field layout; the record type itself has none. Integers are
// little-endian; "Y"/"N" flags are two-byte texts (the letter and a NUL).
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/export.h"
#include "platform/practice/table_entry.h"

#pragma pack(push, 1)

// zorv3000.ttl: report settings (512 / 6, tagged).
struct ZORV3000_REC {            // off size
  std::int32_t record_kind;      //  0   4  kZorv3000Header, ...FlySheet, ...Options, ...Footer
  std::int16_t user_id;          //  4   2  0: the practice as a whole
  char tagged[506];              //  6 506
};
constexpr std::int32_t kZorv3000Header = 11;
constexpr std::int32_t kZorv3000FlySheet = 15;
constexpr std::int32_t kZorv3000Options = 19;
constexpr std::int32_t kZorv3000Footer = 29;

struct ZORV3000_HEADER_TLD {     // off size  tag   record kind 11
  std::int16_t client_name_code; //  0   2   500
  std::int16_t report_title_code;  //  2   2   501
  std::int32_t date_text_code;   //  4   4   502
};
struct ZORV3000_FLY_SHEET_TLD {  // off size  tag   record kind 15
  std::int16_t width;            //  0   2   1150
  std::int16_t drop;             //  2   2   1151
  std::int16_t offset;           //  4   2   1152
  std::int16_t reg_no_text_type; //  6   2   1153
  std::int16_t main_text_type;   //  8   2   1154
  std::int16_t agent_details_text_type;  // 10   2   1155
};
struct ZORV3000_OPTIONS_TLD {    // off size  tag   record kind 19
  std::int32_t standard_options; //  0   4   1400  0x10 rule under the header, 0x20 above the footer
};
struct ZORV3000_FOOTER_TLD {     // off size  tag   record kind 29
  std::int16_t page_number_placement;  //  0   2   1700
  std::int16_t page_number_choice;     //  2   2   1701
  std::int16_t page_number_option;     //  4   2   1702
  std::int16_t continued;        //  6   2   1703  0: include "continued"
};

// zorv2000.ttl: practice defaults (1030 / 6, tagged). The key fields are kept under tags 9993
// (entry_type) and 9994 (zero) as well.
struct ZORV2000_REC {            // off size
  std::int32_t entry_type;       //  0   4
  std::int16_t zero;             //  4   2
  char tagged[1024];             //  6 1024
};
constexpr std::int32_t kZorv2000TaxReturnOptions = 16;
constexpr std::int32_t kZorv2000ComputationOptions = 19;
constexpr std::int32_t kZorv2000Entry44 = 44;

struct ZORV2000_ENTRY16_TLD {    // off size  tag   tax return options
  char return_identifier[2];     //  0   2   965   a single byte 1, 2 or 3 (not a digit)
  char default_date[2];          //  2   2   970   "Y" or "N"
  char print_phone[2];           //  4   2   971   "Y" or "N"
  char return_status[2];         //  6   2   972   a single byte 1, 2 or 3
  char echecklist_current[2];    //  8   2   974   "Y" or "N"
  std::int32_t lock_flags;       // 10   4   973   1 electronic return, 2 final return, 4 R40 lock
  char benefit_summaries[2];     // 14   2   975   "Y" or "N"
};
struct ZORV2000_ENTRY19_TLD {    // off size  tag   computation options
  char date_time_stamp;          //  0   1   154   'Y' or 'N'
  char computation_status[2];    //  1   2   155   a single byte 1, 2 or 3
  char unused_156;               //  3   1   156
  char unused_157;               //  4   1   157
  std::int32_t employment_flags; //  5   4   158   bit 0: employment lock
  char gap;                      //  9   1         no field
  std::int32_t suppress_flags;   // 10   4   159   bit 0 payment due date, bit 1 agent details
};
struct ZORV2000_ENTRY44_TLD {    // off size  tag
  char flag_bytes[6];            //  0   6   4401  six flag bytes, 'Y' (89) when there is no entry
  char text_4402[2];             //  6   2   4402
  char text_4403[2];             //  8   2   4403
};

// zorv1410.ttl: agents (1024 / 8, tagged).
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

static_assert(sizeof(ZORV3000_REC) == 512, "ZORV3000_REC");
static_assert(offsetof(ZORV3000_REC, user_id) == 4 && offsetof(ZORV3000_REC, tagged) == 6, "ZORV3000_REC");
static_assert(sizeof(ZORV3000_HEADER_TLD) == 8, "ZORV3000_HEADER_TLD");
static_assert(offsetof(ZORV3000_HEADER_TLD, report_title_code) == 2 && offsetof(ZORV3000_HEADER_TLD, date_text_code) == 4,
              "ZORV3000_HEADER_TLD");
static_assert(sizeof(ZORV3000_FLY_SHEET_TLD) == 12, "ZORV3000_FLY_SHEET_TLD");
static_assert(offsetof(ZORV3000_FLY_SHEET_TLD, drop) == 2 && offsetof(ZORV3000_FLY_SHEET_TLD, offset) == 4 &&
                  offsetof(ZORV3000_FLY_SHEET_TLD, reg_no_text_type) == 6 &&
                  offsetof(ZORV3000_FLY_SHEET_TLD, main_text_type) == 8 &&
                  offsetof(ZORV3000_FLY_SHEET_TLD, agent_details_text_type) == 10, "ZORV3000_FLY_SHEET_TLD");
static_assert(sizeof(ZORV3000_OPTIONS_TLD) == 4, "ZORV3000_OPTIONS_TLD");
static_assert(sizeof(ZORV3000_FOOTER_TLD) == 8, "ZORV3000_FOOTER_TLD");
static_assert(offsetof(ZORV3000_FOOTER_TLD, page_number_choice) == 2 &&
                  offsetof(ZORV3000_FOOTER_TLD, page_number_option) == 4 && offsetof(ZORV3000_FOOTER_TLD, continued) == 6,
              "ZORV3000_FOOTER_TLD");
static_assert(sizeof(ZORV2000_REC) == 1030, "ZORV2000_REC");
static_assert(offsetof(ZORV2000_REC, zero) == 4 && offsetof(ZORV2000_REC, tagged) == 6, "ZORV2000_REC");
static_assert(sizeof(ZORV2000_ENTRY16_TLD) == 16, "ZORV2000_ENTRY16_TLD");
static_assert(offsetof(ZORV2000_ENTRY16_TLD, default_date) == 2 && offsetof(ZORV2000_ENTRY16_TLD, print_phone) == 4 &&
                  offsetof(ZORV2000_ENTRY16_TLD, return_status) == 6 &&
                  offsetof(ZORV2000_ENTRY16_TLD, echecklist_current) == 8 &&
                  offsetof(ZORV2000_ENTRY16_TLD, lock_flags) == 10 &&
                  offsetof(ZORV2000_ENTRY16_TLD, benefit_summaries) == 14, "ZORV2000_ENTRY16_TLD");
static_assert(sizeof(ZORV2000_ENTRY19_TLD) == 14, "ZORV2000_ENTRY19_TLD");
static_assert(offsetof(ZORV2000_ENTRY19_TLD, computation_status) == 1 && offsetof(ZORV2000_ENTRY19_TLD, unused_156) == 3 &&
                  offsetof(ZORV2000_ENTRY19_TLD, unused_157) == 4 &&
                  offsetof(ZORV2000_ENTRY19_TLD, employment_flags) == 5 && offsetof(ZORV2000_ENTRY19_TLD, gap) == 9 &&
                  offsetof(ZORV2000_ENTRY19_TLD, suppress_flags) == 10, "ZORV2000_ENTRY19_TLD");
static_assert(sizeof(ZORV2000_ENTRY44_TLD) == 10, "ZORV2000_ENTRY44_TLD");
static_assert(offsetof(ZORV2000_ENTRY44_TLD, text_4402) == 6 && offsetof(ZORV2000_ENTRY44_TLD, text_4403) == 8,
              "ZORV2000_ENTRY44_TLD");
static_assert(sizeof(ZORV1410_REC) == 1024, "ZORV1410_REC");
static_assert(offsetof(ZORV1410_REC, agent_kind) == 4 && offsetof(ZORV1410_REC, tagged) == 8, "ZORV1410_REC");
static_assert(sizeof(ZORV1410_TLD) == 164, "ZORV1410_TLD");
static_assert(offsetof(ZORV1410_TLD, reference) == 61 && offsetof(ZORV1410_TLD, phone) == 82 &&
                  offsetof(ZORV1410_TLD, email) == 103, "ZORV1410_TLD");

// The field layouts of the tagged parts, ended by tag -1.
PLATFORM_API const TAGGED_FIELD_LAYOUT* zorv3000_header_tagged_fields();
PLATFORM_API const TAGGED_FIELD_LAYOUT* zorv3000_fly_sheet_tagged_fields();
PLATFORM_API const TAGGED_FIELD_LAYOUT* zorv3000_options_tagged_fields();
PLATFORM_API const TAGGED_FIELD_LAYOUT* zorv3000_footer_tagged_fields();
PLATFORM_API const TAGGED_FIELD_LAYOUT* zorv2000_entry16_tagged_fields();
PLATFORM_API const TAGGED_FIELD_LAYOUT* zorv2000_entry19_tagged_fields();
PLATFORM_API const TAGGED_FIELD_LAYOUT* zorv2000_entry44_tagged_fields();
PLATFORM_API const TAGGED_FIELD_LAYOUT* zorv1410_tagged_fields();

PLATFORM_PM_RECORD(ZORV3000_REC, "zorv3000.ttl", "report settings", 6, true, PM_NO_TAGGED_PART, nullptr,
                   PM_UNIQUE_KEY(PM_KEY_FIELD(ZORV3000_REC, record_kind), PM_KEY_FIELD(ZORV3000_REC, user_id)));
PLATFORM_PM_RECORD(ZORV2000_REC, "zorv2000.ttl", "practice defaults", 6, true, PM_NO_TAGGED_PART, nullptr,
                   PM_UNIQUE_KEY(PM_KEY_FIELD(ZORV2000_REC, entry_type), PM_KEY_FIELD(ZORV2000_REC, zero)));
PLATFORM_PM_RECORD(ZORV1410_REC, "zorv1410.ttl", "agents", 8, true, ZORV1410_TLD, zorv1410_tagged_fields(),
                   PM_UNIQUE_KEY(PM_KEY_FIELD(ZORV1410_REC, branch), PM_KEY_FIELD(ZORV1410_REC, agent_kind)));
