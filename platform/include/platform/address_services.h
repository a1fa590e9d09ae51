// File: platform/address_services.h
//
// The address and name services of the practice-management platform, as the related-party reads
// call them.
//
// Addresses. A party's addresses are kept in the addresses table (ZORV1008.TTL) under its
// internal reference, address kind 1 (a main address) and a sequence number. Which of them a
// request means is the link record's business (ZORV1009.TTL): the link of the party for the
// requested address kind (link kind 1), else its link for kind 1, names the sequence in tag 101
// (none or 0: sequence 1) and, in tag 102, the sequence of an override address whose contacts
// and e-mail addresses replace the main address's when the contact override feature is on.
//
// The caller opens the tables and builds the field tables; a request hands them over. The
// service reads through the handles as they are (the caller's key buffers and positions change)
// and unpacks what it finds through the field tables into the caller's buffers.
//
// Usage:
//   ADAC001_REQUEST request{};
//   request.party = party;
//   request.address_kind = 8;
//   request.main = {main_handle, 16, main_fields};
//   request.link = {link_handle, 15, link_fields};
//   request.override_address = {second_main_handle, 16, override_fields};
//   if (adac001_get_one_address(&request, 1) == 0) ... the main buffer holds the address
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/export.h"
#include "platform/field_tables.h"
#include "platform/record_store.h"
#include "platform/types.h"

#pragma pack(push, 1)
// One table of an address request: its open handle, a key length and the field table that its
// tagged part unpacks into. The service keys and unpacks each table by the handle's own key
// length; the request's is kept for the suite's callers (they pass 15 for the links table, whose
// key is 11 bytes).
struct ADAC001_TABLE {           // off  size (32-bit build)
  btrv_fcb* handle;              //  0   4
  std::int32_t key_length;       //  4   4
  const FAC_ENTRY* fields;       //  8   4
};
struct ADAC001_REQUEST {         // off  size (32-bit build)
  PMCO_INT_REF party;            //  0   5
  std::int32_t address_kind;     //  5   4   8: the party's address for correspondence
  ADAC001_TABLE main;            //  9  12   ZORV1008.TTL: the address
  ADAC001_TABLE link;            // 21  12   ZORV1009.TTL: the party's link record
  ADAC001_TABLE override_address;  // 33 12  ZORV1008.TTL again: the override address
};
#pragma pack(pop)
static_assert(offsetof(ADAC001_TABLE, key_length) == sizeof(void*), "ADAC001_TABLE.key_length after the handle");
static_assert(sizeof(ADAC001_TABLE) == 4 + 2 * sizeof(void*), "ADAC001_TABLE");
static_assert(offsetof(ADAC001_REQUEST, address_kind) == 5 && offsetof(ADAC001_REQUEST, main) == 9,
              "ADAC001_REQUEST header");
static_assert(offsetof(ADAC001_REQUEST, link) == 9 + sizeof(ADAC001_TABLE) &&
                  offsetof(ADAC001_REQUEST, override_address) == 9 + 2 * sizeof(ADAC001_TABLE),
              "ADAC001_REQUEST tables");

extern "C" {
// Reads the party's link record into the link fields (cleared first: no link reads as zeros)
// and the address it names into the main fields. 0; the store's status when the party has no
// such address (4) or a table cannot be read; 1 for a null request; 3 when a handle is null.
// `report` 1 reports failures other than "not found" on the report channel.
PLATFORM_API int adac001_get_one_address(ADAC001_REQUEST* request, int report);
// Reads the override address named by the party's link into the override fields. 0; 4 when the
// link names none or it is missing; else as adac001_get_one_address.
PLATFORM_API int adac001_get_one_address_override(ADAC001_REQUEST* request, int report);
// Non-zero when the practice uses contact override addresses (on unless a host turns it off).
PLATFORM_API int adac001_is_address_contact_override_feature_enabled();
// The display name of a party: an individual's title, forenames and surname, another party's
// (type 75) name, else the visible ID of the client with that reference; "" for a party not
// found. The text stays valid until the next call on the same thread.
PLATFORM_API const char* pmcl013_noncl_name(PMCO_INT_REF party);
}

namespace platform {
// Turns the contact override feature on or off for the process (a host's practice setting, a test).
PLATFORM_API void set_address_contact_override_feature(bool enabled);
}  // namespace platform
