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
//
// Reads share one read transaction (a snapshot) until the handle writes, closes, or the bound of
// record_store_read_snapshot_bound() is reached, so a walk pays for a transaction once, not per
// record. While the snapshot lasts, get next and get previous step the statement that found the
// current record instead of seeking again. Positions are kept as the stored key column, not
// re-encoded from the record's bytes, so a walk moves strictly along the index and always ends,
// whatever a damaged record holds; a record whose bytes disagree with the key it was found by
// reads as damaged (2).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/record_store.h"
#include "sqlite_handles.h"
#include "store_settings.h"
#include "stored_row.h"
#include "table_backend.h"

namespace platform {

constexpr const char* kTableFileFormat = "qarntash table 1";

// The status that stands for an SQLite result code.
int status_from_sqlite(int sqlite_result);

class SqliteTableConnection final : public TableConnection {
 public:
  // Opens the table file at `path`. 0 with *out set, or a status.
  static int open(const std::string& path, std::unique_ptr<SqliteTableConnection>* out);
  ~SqliteTableConnection() override;
  SqliteTableConnection(const SqliteTableConnection&) = delete;
  SqliteTableConnection& operator=(const SqliteTableConnection&) = delete;

  const TableDefinition& definition() const override { return definition_; }
  // A writing transaction (BEGIN IMMEDIATE), begun after the read snapshot ends.
  int begin_writes() override;
  int end_writes(bool commit) override;
  int run(int operation, int key_number, btrv_fcb& handle) override;
  const std::string* current_record() const override {
    return position_.has_current ? &position_.record : nullptr;
  }
  int check_records(std::string* problem) override;
  int records_in_written_order(std::vector<std::string>* records) override;

 private:
  // The first seven in the order of seek_number(); the "get key" reads, which read the key's
  // index alone, in the same order as the first nine from kKeyEqual.
  enum Query {
    kEqual, kGreater, kGreaterOrEqual, kLess, kLessOrEqual, kFirst, kLast, kWalkForward, kWalkBackward, kById,
    kKeyEqual, kKeyGreater, kKeyGreaterOrEqual, kKeyLess, kKeyLessOrEqual, kKeyFirst, kKeyLast, kKeyWalkForward,
    kKeyWalkBackward, kQueryCount
  };

  SqliteTableConnection() = default;
  // Runs SQL that returns no rows (BEGIN, COMMIT, ROLLBACK), after ending the read snapshot so
  // that the caller's transaction is its own. A status.
  int execute(const char* sql);
  int load_definition();
  int check_indexes_match_keys();
  sqlite3_stmt* read_statement(int key_number, Query query);
  sqlite3_stmt* prepared(Statement& slot, const std::string& sql);

  void begin_read();
  void end_snapshot();
  void drop_cursor();

  int read(int operation, int key_number, btrv_fcb& handle);
  int step_next_or_previous(bool next, int key_number, btrv_fcb& handle, bool key_only);
  int run_read_query(sqlite3_stmt* statement, int key_number, btrv_fcb& handle, bool key_only = false);
  int take_row(sqlite3_stmt* statement, int key_number, btrv_fcb& handle, bool key_only);
  int insert(int key_number, btrv_fcb& handle);
  int update(int key_number, btrv_fcb& handle);
  int remove(int key_number);
  int reread_current(int key_number, btrv_fcb& handle);
  void bind_record(sqlite3_stmt* statement, const std::string& data);

  Connection connection_;
  TableDefinition definition_;
  std::vector<int> key_lengths_;  // of each key, in bytes
  std::vector<std::array<Statement, kQueryCount>> read_statements_;
  Statement insert_, update_, delete_;

  // The read snapshot: a transaction of this connection's own, begun by a read.
  bool snapshot_open_ = false;
  SnapshotAge snapshot_age_;
  // A walk statement left part-way through its rows, its last row the current record.
  sqlite3_stmt* cursor_ = nullptr;

  TablePosition position_;
  std::string seek_key_;  // the encoded key of the last seek, its storage kept from seek to seek
};

}  // namespace platform
