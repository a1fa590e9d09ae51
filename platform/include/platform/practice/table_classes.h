// File: platform/practice/table_classes.h
//
// The table classes of the practice-management platform, over the record store:
//  - FA_BASIC: one open table with its buffers; fa_geteq and fa_get run operations and return 0
//    on success or the status. A table with a tagged part (an XFA_TPLATE) unpacks it after every
//    read (TLDGetFacNoTCB) and packs it before an insert (TLDInsertFacNoTCB) or an update
//    (TLDUpdateFacNoTCB).
//  - XFA_TPLATE: a tagged part (a struct of the program's) and the field table over it.
//  - PM_DBASE<Record>: the table of a record type of the catalogue (platform/practice_tables.h),
//    opened by the record type's entry on the data path configured at that moment
//    (fadl001_DB_path(nullptr)); access_pointer() gives its FA_BASIC.
// Library code new to the store uses PracticeTable<Record> (practice_table.h), which wraps
// PM_DBASE with checked statuses and key-range walks.
//
// The last argument of fa_geteq and fa_get is the status the caller expects and handles itself
// (faba001_constants().key_not_found, say): any other failure is reported on the report channel
// with the call tag. report_none accepts every status silently.
//
// Usage:
//   PM_DBASE<zorv1005_rec> clients;
//   FA_BASIC* table = clients.access_pointer();
//   std::memcpy(table->key_buffer(), &reference, sizeof reference);
//   if (table->fa_geteq(1, 0, "getID", faba001_constants().key_not_found) == 0) ... clients.record()->client_id
//
// A table that cannot be opened still has zeroed buffers of its catalogue lengths; every
// operation on it gives BTR_FILE_NOT_OPEN (3), and handle() is null. The table is closed when the
// object goes.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/export.h"
#include "platform/field_tables.h"
#include "platform/practice/table_handle.h"
#include "platform/practice/table_entry.h"
#include "platform/record_store.h"

// A table as a table class opens it: its file, buffer lengths and the field table of its tagged
// part (null for a table without one).
struct TLD_FILESPEC {
  const char* file_name;
  int record_length;
  int key_length;
  const FAC_ENTRY* fields;
};

struct FABA001_CONSTANTS {
  int success;             // 0
  int key_not_found;       // 4
  int duplicate_key;       // 5
  int no_current_record;   // 8
  int end_of_file;         // 9
  int record_conflict;     // 80
  int report_all;          // expect nothing: report every failure
  int report_none;         // expect anything: report nothing
};

// The status names for fa_geteq and fa_get.
PLATFORM_API const FABA001_CONSTANTS& faba001_constants();

// The data path of the practice tables: `path` when given, else the configured one
// (config_read_conf010). The text stays valid until the next call on the same thread.
PLATFORM_API const char* fadl001_DB_path(const char* path);

class PLATFORM_API FA_BASIC {
 public:
  FA_BASIC(const char* data_path, const TLD_FILESPEC* spec);
  ~FA_BASIC();
  FA_BASIC(const FA_BASIC&) = delete;
  FA_BASIC& operator=(const FA_BASIC&) = delete;

  bool is_open() const { return table_.is_open(); }
  int open_status() const { return open_status_; }
  btrv_fcb* handle() { return table_.get(); }
  char* record_buffer();
  char* key_buffer();
  int record_length() const { return record_length_; }
  int key_length() const { return key_length_; }
  int data_length() const;
  void clear_key();
  void clear_record();

  // Get equal on `key_number`. 0 or the status.
  [[nodiscard]] int fa_geteq(int key_number, int lock, const char* call_tag, int expected_status);
  // Any operation of the store (record_store.h) on `key_number`. 0 or the status.
  [[nodiscard]] int fa_get(int operation, int key_number, int lock, const char* call_tag, int expected_status);
  // Reports `status` of `operation` on the report channel with the call tag, as fa_get does with
  // a status the caller did not expect.
  void report_failure(int operation, int key_number, int status, const char* call_tag) const;

 private:
  platform::TableHandle table_;
  int open_status_ = BTR_FILE_NOT_OPEN;
  int record_length_ = 0;
  int key_length_ = 0;
  const FAC_ENTRY* fields_ = nullptr;
  std::unique_ptr<char[]> spare_record_;  // the buffers of a table that did not open
  std::unique_ptr<char[]> spare_key_;
};

class PLATFORM_API XFA_TPLATE {
 public:
  // `tagged_part` is the struct that the fields land in; `layout` may be null (no tagged part).
  XFA_TPLATE(const char* file_name, int record_length, int key_length, void* tagged_part,
             const TAGGED_FIELD_LAYOUT* layout);
  XFA_TPLATE(const XFA_TPLATE&) = delete;
  XFA_TPLATE& operator=(const XFA_TPLATE&) = delete;

  const TLD_FILESPEC* xfa_get_filespec() const { return &spec_; }
  const FAC_ENTRY* field_table() const { return fields_.empty() ? nullptr : fields_.data(); }

 private:
  std::vector<FAC_ENTRY> fields_;
  TLD_FILESPEC spec_;
};

// pm_record_traits<Record> is a record type's catalogue entry (platform/practice/table_entry.h).
template <class Record>
class PM_DBASE {
  using traits = pm_record_traits<Record>;

 public:
  using tld_type = typename traits::tld_type;

  PM_DBASE() : PM_DBASE(nullptr) {}
  explicit PM_DBASE(const char* data_path)
      : tagged_(traits::file_name, traits::record_length, traits::key_length, &tld_, traits::tagged_fields()),
        table_(fadl001_DB_path(data_path), tagged_.xfa_get_filespec()) {}
  PM_DBASE(const PM_DBASE&) = delete;
  PM_DBASE& operator=(const PM_DBASE&) = delete;

  FA_BASIC* access_pointer() { return &table_; }
  Record* record() { return reinterpret_cast<Record*>(table_.record_buffer()); }
  // The tagged part as the last read left it (or as it is to be written).
  tld_type* tld() { return &tld_; }

 private:
  tld_type tld_{};
  XFA_TPLATE tagged_;
  FA_BASIC table_;
};
