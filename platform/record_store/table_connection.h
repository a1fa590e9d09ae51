// One open table file: its SQLite connection, its definition, the statements prepared for it
// (each prepared on first use and kept for the handle's life) and the handle's position.
//
// File layout (one SQLite database per table file, WAL journal):
//   table_definition(format, file_name, description, record_length, key_buffer_length, tagged)
//   key_segments(key_number, segment_number, offset, length, type, duplicates)
//   records(id, version, data, k0, o0, k1, ...)
// k<n> is key n in the order-preserving encoding. A key that allows duplicates also has o<n>,
// the record's place in its group: set from the record's id on insert and from a fresh number
// when an update changes that key, so a group is walked in the order its members joined it.
// version counts the record's writes; an update or delete names the version it read, so a write
// over another handle's newer write is refused (80) instead of losing it.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/record_store.h"
#include "sqlite_handles.h"

namespace platform {

constexpr const char* kTableFileFormat = "qarntash table 1";

// The status that stands for an SQLite result code.
int status_from_sqlite(int sqlite_result);

class TableConnection {
 public:
  // Opens the table file at `path`. 0 with *out set, or a status.
  static int open(const std::string& path, std::unique_ptr<TableConnection>* out);

  const TableDefinition& definition() const { return definition_; }

  // Runs SQL that returns no rows (BEGIN, COMMIT, ROLLBACK). A status.
  int execute(const char* sql) { return status_from_sqlite(connection_.execute(sql)); }

  // Runs one operation for `handle`, whose buffers it reads and fills.
  int run(int operation, int key_number, btrv_fcb& handle);

 private:
  enum Query {
    kEqual, kGreater, kGreaterOrEqual, kLess, kLessOrEqual, kFirst, kLast, kNextSame, kPreviousSame,
    kQueryCount
  };

  TableConnection() = default;
  int load_definition();
  sqlite3_stmt* read_statement(int key_number, Query query);
  sqlite3_stmt* prepared(Statement& slot, const std::string& sql);

  int read(int operation, int key_number, btrv_fcb& handle);
  int step_next_or_previous(bool next, int key_number, btrv_fcb& handle);
  int run_read_query(sqlite3_stmt* statement, int key_number, btrv_fcb& handle);
  int take_row(sqlite3_stmt* statement, int key_number, btrv_fcb& handle);
  int insert(int key_number, btrv_fcb& handle);
  int update(int key_number, btrv_fcb& handle);
  int remove();
  int reread_current(int key_number, btrv_fcb& handle);
  int record_to_store(const btrv_fcb& handle, std::string* data) const;
  void bind_record(sqlite3_stmt* statement, const std::string& data);
  void forget_position();

  Connection connection_;
  TableDefinition definition_;
  std::string select_columns_;          // id, version, data, then each o<n>
  std::vector<int> order_column_of_key_;  // column of o<n> in a row, or -1 for a unique key
  std::vector<std::array<Statement, kQueryCount>> read_statements_;
  Statement select_by_id_, insert_, update_, delete_;

  // Position. `positioned_`: next and previous have a place to step from (the record last read,
  // or last deleted). `has_current_`: that record may be updated or deleted.
  bool positioned_ = false;
  bool has_current_ = false;
  std::int64_t current_id_ = 0;
  std::int64_t current_version_ = 0;
  std::string current_record_;                // padded to the record length
  std::vector<std::int64_t> current_order_;   // o<n> per key (0 for unique keys)
};

}  // namespace platform
