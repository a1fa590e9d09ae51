// The rules every backend applies to a record as it is stored and read back, so that both give
// the same statuses for the same bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/record_store.h"

namespace platform {

// A row as a backend read it: the stored bytes and the stored key column of the key it was found by.
struct StoredRow {
  const char* data;
  int length;
  const char* key;
  int key_length;
  std::int64_t id;
  std::int64_t version;
  std::int64_t order;  // the place in a group of equal keys, 0 for a unique key
};

// Where a handle stands: the record last read (or deleted) and the key it was found by.
struct TablePosition {
  // `positioned`: next and previous have a place to step from; `has_current`: that record may be
  // updated or deleted.
  bool positioned = false;
  bool has_current = false;
  int key_number = 0;
  std::string key_value;     // the stored (encoded) key column of the current record
  std::int64_t order = 0;    // its place in a group, or 0 for a unique key
  std::int64_t id = 0;
  std::int64_t version = 0;
  std::string record;        // padded to the record length
  std::string scratch_record, scratch_key;  // the next row, until it is known to be sound

  void forget() { positioned = has_current = false; }
};

// Whether `operation` is a read (a get, or a seek's "get key" form) and whether it gives only the key.
bool is_read_operation(int operation);
bool is_key_only_read(int operation);
// The get operation of a read: a "get key" seek without its BTR_GET_KEY.
int read_without_key_only(int operation);

// The seek a read operation makes, as both backends number their read queries: 0 get equal,
// 1 greater, 2 greater or equal, 3 less, 4 less or equal, 5 first, 6 last.
int seek_number(int operation);

// Whether get next or previous (or update, delete: `needs_current`) may run from `position` on
// key `key_number`: 0, 8 without a position (or current record), 7 on another key.
int position_allows(const TablePosition& position, int key_number, bool needs_current);

// A stored record that its table cannot hold, or a tagged one without its key fields, is damage.
bool stored_length_fits(const TableDefinition& definition, int length);

// Makes `row`, found by key `key_number`, the current record and gives it to the handle's
// buffers. 2 for a damaged row and 22 for a buffer it does not fit, leaving the position and
// the buffers as they were.
int take_stored_row(const TableDefinition& definition, int key_number, const StoredRow& row,
                    TablePosition* position, btrv_fcb& handle);

// Makes the key of `row` (found by key `key_number` by a "get key" seek; its data is not read)
// the position, with no current record, and puts that key in the handle's key buffer. The record
// buffer is left as it was. 2 for a stored key of the wrong length.
int take_stored_key(const TableDefinition& definition, int key_number, const StoredRow& row, TablePosition* position,
                    btrv_fcb& handle);

// The bytes to store: the whole record, or for a tagged table the record up to its last whole
// tagged field (the rest of a tagged record buffer is free space). 0 or 22.
int record_to_store(const TableDefinition& definition, const btrv_fcb& handle, std::string* data);

// The encoded keys of a record to store (`data` as record_to_store gives it), key 0 first.
std::vector<std::string> encoded_keys_of_stored(const TableDefinition& definition, const std::string& data);

// Checks one stored record for check_records: its length, and each stored key column
// (`keys[n]`, `key_lengths[n]`) against the key of its bytes. Empty when sound, else the problem.
std::string stored_record_problem(const TableDefinition& definition, std::int64_t id, const char* data, int length,
                                  const char* const* keys, const int* key_lengths);

}  // namespace platform

namespace platform {

// Adds one stored key segment to a definition being read back; keys come numbered 0, 1, 2, ...
// without gaps and every segment of a key says the same about duplicates. 0, or 30 for a
// definition no store wrote.
int add_stored_key_segment(TableDefinition* definition, int key_number, int offset, int length, int type,
                           bool duplicates);

}  // namespace platform
