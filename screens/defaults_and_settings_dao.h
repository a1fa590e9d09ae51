// The practice defaults table (zorv2000.ttl) as the option classes use it: one entry per kind of
// setting (16 tax return options, 19 computation options, 44 six flag bytes), read into and
// written from plain values.
//
// One object serves one entry type: the first Read or Write prepares that type's field table,
// and any other type is refused (false, nothing read or written), so entry 16 never receives
// the fields of entry 19. The table is open for the object's life.
//
// Read gives the stored values, or the no-entry values when there is no entry (or it cannot be
// read). Write updates the entry (keeping every stored field and flag bit the values do not
// own) or inserts it; it writes nothing and answers false when the entry cannot be looked up,
// and answers false when the write fails.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/field_tables.h"
#include "platform/practice/settings.h"
#include "platform/record_store.h"

namespace screens_internal {

// The values of the entry types this library owns, with their no-entry defaults.
struct PracticeDefaults {
  // Entry type 19: computation options.
  bool date_time_stamp = false;
  std::int32_t computation_status = 2;
  bool employment_lock = true;
  bool suppress_payment_due_date = false;
  bool suppress_agent_details = false;
  // Entry type 16: tax return options.
  std::int32_t return_identifier = 1;
  std::int32_t return_status = 2;
  bool default_date = false;
  bool print_phone = false;
  bool electronic_return_lock = true;
  bool final_return_lock = true;
  bool r40_lock = true;
  bool echecklist_current = true;
  bool include_benefit_summaries = false;
  // Entry type 44: six flag bytes, "Y" each with no entry.
  char entry44_flags[6] = {'Y', 'Y', 'Y', 'Y', 'Y', 'Y'};
};

// Conversions between the stored tagged parts and the values (pure; tested on their own).
void read_entry16(const ZORV2000_ENTRY16_TLD& stored, PracticeDefaults& values);
void write_entry16(const PracticeDefaults& values, ZORV2000_ENTRY16_TLD& stored);
void read_entry19(const ZORV2000_ENTRY19_TLD& stored, PracticeDefaults& values);
void write_entry19(const PracticeDefaults& values, ZORV2000_ENTRY19_TLD& stored);
// The no-entry values of one entry type.
void set_no_entry_values(int entry_type, PracticeDefaults& values);

}  // namespace screens_internal

class CDefaultsAndSettingsDAO {
 public:
  CDefaultsAndSettingsDAO();
  virtual ~CDefaultsAndSettingsDAO();
  CDefaultsAndSettingsDAO(const CDefaultsAndSettingsDAO&) = delete;
  CDefaultsAndSettingsDAO& operator=(const CDefaultsAndSettingsDAO&) = delete;

  // True when the entry was found; false when it was not (no-entry values set) or the entry
  // type is not this object's (nothing changed).
  bool Read(int entry_type);
  // True when the entry was updated or inserted.
  bool Write(int entry_type);

  screens_internal::PracticeDefaults& values() { return values_; }
  const screens_internal::PracticeDefaults& values() const { return values_; }

 private:
  struct FieldTableDeleter {
    void operator()(DFAC_TABLE* table) const { dfac_free(&table); }
  };
  struct KeyFields {
    std::int32_t entry_type;
    std::int16_t zero;
  };

  bool prepare(int entry_type);
  void put_key(int entry_type);
  void to_values(int entry_type);
  void from_values(int entry_type);

  btrv_fcb* handle_ = nullptr;
  std::unique_ptr<DFAC_TABLE, FieldTableDeleter> fields_;
  int prepared_type_ = 0;
  KeyFields key_fields_{};
  ZORV2000_ENTRY16_TLD entry16_{};
  ZORV2000_ENTRY19_TLD entry19_{};
  ZORV2000_ENTRY44_TLD entry44_{};
  screens_internal::PracticeDefaults values_;
};
