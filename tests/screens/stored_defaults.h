// Reading and writing practice defaults entries (zorv2000.ttl) byte for byte in tests, beside the
// library's own classes.
#pragma once

#include <cstdint>
#include <cstring>

#include "platform/practice/settings.h"
#include "platform/practice/table_classes.h"
#include "platform/store_faults.h"
#include "support/practice_folder.h"

namespace test_support {

// The tagged part of entry `entry_type` as stored, through its full field layout (every tag,
// also those the library does not own). False when there is no such entry.
template <class Tld>
bool stored_entry(const PracticeFolder& practice, std::int32_t entry_type, const TAGGED_FIELD_LAYOUT* layout,
                  Tld& tagged) {
  tagged = Tld{};
  XFA_TPLATE part("zorv2000.ttl", 1030, 6, &tagged, layout);
  FA_BASIC table(practice.data_path().c_str(), part.xfa_get_filespec());
  const ZORV2000_REC key{entry_type, 0, {}};
  std::memcpy(table.key_buffer(), &key, 6);
  return table.fa_geteq(0, 0, "test", faba001_constants().report_none) == 0;
}

// Inserts entry `entry_type` with `tagged` by `layout`. The store's status.
template <class Tld>
int store_entry(const PracticeFolder& practice, std::int32_t entry_type, const TAGGED_FIELD_LAYOUT* layout,
                const Tld& tagged) {
  Tld part_copy = tagged;
  XFA_TPLATE part("zorv2000.ttl", 1030, 6, &part_copy, layout);
  FA_BASIC table(practice.data_path().c_str(), part.xfa_get_filespec());
  table.clear_record();
  const ZORV2000_REC key{entry_type, 0, {}};
  std::memcpy(table.record_buffer(), &key, 6);
  return table.fa_get(BTR_INSERT, 0, 0, "test", faba001_constants().report_none);
}

}  // namespace test_support
