// File: platform/practice/addresses_and_relationships.h
//
// Who is related to whom, and where they live: the relationships between two internal
// references (an owner and a related party, of a kind, over a period and with a share), the
// addresses of a party with up to eight contact numbers and eight e-mail addresses, and the
// links that point a party's address of one kind at another address.
//
// These three tables keep their data as tagged fields after the key fields; each *_TLD struct is
// the tagged part that a field table unpacks, with each field's tag. Integers are
// little-endian; dates are day numbers (int32, 0 = none); texts are NUL-padded.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/export.h"
#include "platform/practice/table_entry.h"

#pragma pack(push, 1)

// zorv1371.ttl: relationships (527 / 15, tagged part 12).
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

// ZORV1008.TTL: addresses (4604 / 16, tagged).
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

// ZORV1009.TTL: address links (275 / 11, tagged).
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

#pragma pack(pop)

static_assert(sizeof(ZORV1371_REC) == 527, "ZORV1371_REC");
static_assert(offsetof(ZORV1371_REC, owner_number) == 1 && offsetof(ZORV1371_REC, kind) == 5 &&
                  offsetof(ZORV1371_REC, related_type) == 6 && offsetof(ZORV1371_REC, related_number) == 7 &&
                  offsetof(ZORV1371_REC, relationship_number) == 11 && offsetof(ZORV1371_REC, tagged) == 15,
              "ZORV1371_REC");
static_assert(sizeof(ZORV1371_KEYBUF) == 15, "ZORV1371_KEYBUF");
static_assert(offsetof(ZORV1371_KEYBUF, owner_number) == 1 && offsetof(ZORV1371_KEYBUF, kind) == 5 &&
                  offsetof(ZORV1371_KEYBUF, related_type) == 6 && offsetof(ZORV1371_KEYBUF, related_number) == 7 &&
                  offsetof(ZORV1371_KEYBUF, rest) == 11, "ZORV1371_KEYBUF");
static_assert(sizeof(ZORV1371_TLD) == 12, "ZORV1371_TLD");
static_assert(offsetof(ZORV1371_TLD, end_date) == 4 && offsetof(ZORV1371_TLD, share) == 8, "ZORV1371_TLD");
static_assert(sizeof(ZORV1008_REC) == 4604, "ZORV1008_REC");
static_assert(offsetof(ZORV1008_REC, owner_number) == 1 && offsetof(ZORV1008_REC, address_kind) == 5 &&
                  offsetof(ZORV1008_REC, sequence) == 9 && offsetof(ZORV1008_REC, reserved) == 13 &&
                  offsetof(ZORV1008_REC, tagged) == 16, "ZORV1008_REC");
static_assert(sizeof(ZORV1008_CONTACT) == 52 && offsetof(ZORV1008_CONTACT, description) == 21, "ZORV1008_CONTACT");
static_assert(sizeof(ZORV1008_EMAIL) == 286 && offsetof(ZORV1008_EMAIL, description) == 255, "ZORV1008_EMAIL");
static_assert(sizeof(ZORV1008_TLD) == 3032, "ZORV1008_TLD");
static_assert(offsetof(ZORV1008_TLD, line2) == 41 && offsetof(ZORV1008_TLD, line3) == 82 &&
                  offsetof(ZORV1008_TLD, line4) == 123 && offsetof(ZORV1008_TLD, line5) == 149 &&
                  offsetof(ZORV1008_TLD, postcode) == 170 && offsetof(ZORV1008_TLD, contact_flags) == 181 &&
                  offsetof(ZORV1008_TLD, email_flags) == 197 && offsetof(ZORV1008_TLD, contacts) == 213 &&
                  offsetof(ZORV1008_TLD, emails) == 629 && offsetof(ZORV1008_TLD, further_text_1) == 2917 &&
                  offsetof(ZORV1008_TLD, further_text_2) == 2952 && offsetof(ZORV1008_TLD, further_text_3) == 2987 &&
                  offsetof(ZORV1008_TLD, further_value) == 3028, "ZORV1008_TLD");
static_assert(sizeof(ZORV1009_REC) == 275, "ZORV1009_REC");
static_assert(offsetof(ZORV1009_REC, owner_number) == 1 && offsetof(ZORV1009_REC, address_kind) == 5 &&
                  offsetof(ZORV1009_REC, link_kind) == 9 && offsetof(ZORV1009_REC, tagged) == 11, "ZORV1009_REC");
static_assert(sizeof(ZORV1009_TLD) == 8 && offsetof(ZORV1009_TLD, override_address) == 4, "ZORV1009_TLD");

// The field layouts of the tagged parts, ended by tag -1.
PLATFORM_API const TAGGED_FIELD_LAYOUT* zorv1371_tagged_fields();
PLATFORM_API const TAGGED_FIELD_LAYOUT* zorv1008_tagged_fields();
PLATFORM_API const TAGGED_FIELD_LAYOUT* zorv1009_tagged_fields();

PLATFORM_PM_RECORD(ZORV1371_REC, "zorv1371.ttl", "relationships", 15, true, ZORV1371_TLD, zorv1371_tagged_fields(),
                   PM_UNIQUE_KEY(PM_KEY_FIELD(ZORV1371_REC, relationship_number)),
                   PM_DUPLICATE_KEY(PM_KEY_FIELD(ZORV1371_REC, related_type), PM_KEY_FIELD(ZORV1371_REC, related_number),
                                    PM_KEY_FIELD(ZORV1371_REC, kind), PM_KEY_FIELD(ZORV1371_REC, owner_type),
                                    PM_KEY_FIELD(ZORV1371_REC, owner_number)),
                   PM_UNIQUE_KEY(PM_KEY_FIELD(ZORV1371_REC, owner_type), PM_KEY_FIELD(ZORV1371_REC, owner_number),
                                 PM_KEY_FIELD(ZORV1371_REC, kind), PM_KEY_FIELD(ZORV1371_REC, related_type),
                                 PM_KEY_FIELD(ZORV1371_REC, related_number),
                                 PM_KEY_FIELD(ZORV1371_REC, relationship_number)));
PLATFORM_PM_RECORD(ZORV1008_REC, "ZORV1008.TTL", "addresses", 16, true, ZORV1008_TLD, zorv1008_tagged_fields(),
                   PM_UNIQUE_KEY(PM_KEY_FIELD(ZORV1008_REC, owner_type), PM_KEY_FIELD(ZORV1008_REC, owner_number),
                                 PM_KEY_FIELD(ZORV1008_REC, address_kind), PM_KEY_FIELD(ZORV1008_REC, sequence),
                                 PM_RAW_KEY_FIELD(ZORV1008_REC, reserved)));
PLATFORM_PM_RECORD(ZORV1009_REC, "ZORV1009.TTL", "address links", 11, true, ZORV1009_TLD, zorv1009_tagged_fields(),
                   PM_UNIQUE_KEY(PM_KEY_FIELD(ZORV1009_REC, owner_type), PM_KEY_FIELD(ZORV1009_REC, owner_number),
                                 PM_KEY_FIELD(ZORV1009_REC, address_kind), PM_KEY_FIELD(ZORV1009_REC, link_kind)));
