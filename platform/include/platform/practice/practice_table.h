// File: platform/practice/practice_table.h
//
// The pattern for library code over the practice tables: PracticeTable<Record> opens the table
// of a record type of the catalogue, reads, walks a range of keys or writes, and closes the
// table when it goes, on every path. Every result is a StoreStatus, which the compiler does not
// let a caller drop.
//
// A table that does not open is not an error to guard against at each call: the object still
// has zeroed buffers of the record's length, open_status() says why it did not open (12: no
// such file, 30: not a table, ...), and every operation answers 3 (status.no_table()) without
// touching anything. The open itself is reported once on the report channel.
//
// The data path is read when the table is opened, from config_read_conf010: QARNTASH_DATA_PATH
// when it is set, else the host's platform_set_default_data_path. A host that changes either
// after the library has loaded (a --data option, a test's practice folder) is obeyed by every
// table opened afterwards. A caller holding a TK_CONF of its own refreshes it the same way, with
// config_read_conf010, before it opens tables by that record's data path.
//
// Failures other than "no such key" and "end of file" are reported on the report channel with
// the call tag given at construction (the source name of the caller, as the suite's programs
// pass it), so a caller tests the status only to decide what to do next.
//
// Usage:
//   platform::PracticeTable<ZORV1371_REC> relationships("RelatedParties");
//   const ZORV1371_KEYBUF first{5, client_number, 0, 0, 0, 0};
//   const platform::StoreStatus walked = relationships.walk(2, first, 5, [&](const ZORV1371_REC& found) {
//     ... relationships.tld()->share ...
//     return true;                                   // false stops the walk
//   });
//   if (!walked.ok()) return false;                  // no table, or a damaged file
//
// One object serves one thread at a time, as the handle it holds.
#pragma once

#include <algorithm>
#include <cstring>
#include <utility>
#include <type_traits>

#include "platform/practice/store_status.h"
#include "platform/practice/table_classes.h"
#include "platform/record_store.h"

namespace platform {

template <class Record>
class PracticeTable {
 public:
  using tld_type = typename pm_record_traits<Record>::tld_type;

  // Opens the record type's table on the configured data path, or on `data_path` when given.
  explicit PracticeTable(const char* call_tag, const char* data_path = nullptr)
      : call_tag_(call_tag != nullptr ? call_tag : ""), table_(data_path) {}
  PracticeTable(const PracticeTable&) = delete;
  PracticeTable& operator=(const PracticeTable&) = delete;

  bool is_open() const { return table_.access_pointer()->is_open(); }
  // 0 when open, else the status of the failed open.
  StoreStatus open_status() const { return StoreStatus(table_.access_pointer()->open_status()); }

  // The record buffer: the record last read, or the one to write. Zeros after a failed open.
  Record& record() { return *table_.record(); }
  // The tagged part as the last read left it (or as it is to be written).
  tld_type& tld() { return *table_.tld(); }

  // Clears the key buffer and puts `key` at its start (at most the key buffer's length).
  template <class Key>
  void set_key(const Key& key) {
    static_assert(std::is_trivially_copyable_v<Key>, "a key is copied byte by byte");
    FA_BASIC* table = fa();
    table->clear_key();
    std::memcpy(table->key_buffer(), &key, std::min(sizeof key, static_cast<std::size_t>(table->key_length())));
  }

  // Get equal on `key_number` for `key`. 0 found (record() holds it), 4 not found, or a failure.
  template <class Key>
  StoreStatus find(int key_number, const Key& key) {
    set_key(key);
    return read(BTR_GET_EQUAL, key_number);
  }

  // Whether a record has `key` on `key_number`, asked of the key alone ("get key": record()
  // stays as it was). 0 there, 4 not there, or a failure.
  template <class Key>
  StoreStatus has_key(int key_number, const Key& key) {
    set_key(key);
    return read(BTR_GET_EQUAL + BTR_GET_KEY, key_number);
  }

  // Any read operation on `key_number` with the key buffer as it stands.
  StoreStatus read(int operation, int key_number) { return run(operation, key_number); }

  // Visits, in key order on `key_number`, every record from `first` on whose first
  // `prefix_length` key bytes equal those of `first` (0: every record from `first` to the end).
  // `visit(const Record&)` returns false to stop early (or returns nothing to see them all).
  // 0 when the walk ended (range done, end of file or stopped), else the failure.
  template <class Key, class Visit>
  StoreStatus walk(int key_number, const Key& first, int prefix_length, Visit&& visit) {
    set_key(first);
    unsigned char prefix[sizeof(Key)];
    std::memcpy(prefix, &first, sizeof prefix);
    const auto compared = static_cast<std::size_t>(prefix_length < 0 ? 0 : prefix_length);
    if (compared > sizeof prefix || compared > static_cast<std::size_t>(fa()->key_length())) {
      return StoreStatus(BTR_KEY_BUFFER_TOO_SHORT);
    }
    for (StoreStatus status = run(BTR_GET_GREATER_OR_EQUAL, key_number);; status = run(BTR_GET_NEXT, key_number)) {
      if (status.not_found()) return StoreStatus();
      if (!status.ok()) return status;
      if (std::memcmp(fa()->key_buffer(), prefix, compared) != 0) return StoreStatus();
      if constexpr (std::is_void_v<decltype(visit(std::declval<const Record&>()))>) {
        visit(static_cast<const Record&>(record()));
      } else if (!visit(static_cast<const Record&>(record()))) {
        return StoreStatus();
      }
    }
  }

  // Inserts record() (with tld() for a tagged table). 0, 5 for a key already there, or a failure.
  StoreStatus insert() { return run(BTR_INSERT, 0); }
  // Rewrites the record last read. 0, 8 with none, 80 when another user changed it, or a failure.
  StoreStatus update(int key_number = 0) { return run(BTR_UPDATE, key_number); }
  // Deletes the record last read.
  StoreStatus remove(int key_number = 0) { return run(BTR_DELETE, key_number); }

  // The table class underneath, for what the helper does not offer.
  FA_BASIC* fa() { return table_.access_pointer(); }

 private:
  StoreStatus run(int operation, int key_number) {
    FA_BASIC* table = fa();
    const StoreStatus status(
        table->fa_get(operation, key_number, 0, call_tag_, faba001_constants().report_none));
    if (status.failed() && !status.no_table()) table->report_failure(operation, key_number, status.code(), call_tag_);
    return status;
  }

  const char* call_tag_;
  mutable PM_DBASE<Record> table_;
};

}  // namespace platform
