#include "table_connection.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <utility>

#include "key_encoding.h"
#include "store_settings.h"
#include "tagged_area.h"

namespace platform {

namespace {

std::string key_column(int key_number) { return "k" + std::to_string(key_number); }
std::string order_column(int key_number) { return "o" + std::to_string(key_number); }

// The row's blob as bytes.
const char* blob_of(sqlite3_stmt* statement, int column, int* length) {
  *length = sqlite3_column_bytes(statement, column);
  return static_cast<const char*>(sqlite3_column_blob(statement, column));
}

}  // namespace

int status_from_sqlite(int sqlite_result) {
  switch (sqlite_result & 0xff) {
    case SQLITE_OK: case SQLITE_DONE: case SQLITE_ROW:
      return BTR_OK;
    case SQLITE_CONSTRAINT:
      return BTR_DUPLICATE_KEY;
    case SQLITE_BUSY: case SQLITE_LOCKED:
      return BTR_FILE_BUSY;
    case SQLITE_NOTADB:
      return BTR_NOT_A_TABLE_FILE;
    case SQLITE_CANTOPEN:
      return BTR_FILE_NOT_FOUND;
    default:
      return BTR_IO_ERROR;
  }
}

int SqliteTableConnection::open(const std::string& path, std::unique_ptr<SqliteTableConnection>* out) {
  std::unique_ptr<SqliteTableConnection> table(new SqliteTableConnection());
  // A handle belongs to one thread at a time, so its connection needs no lock of its own.
  int rc = table->connection_.open(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX);
  if (rc != SQLITE_OK) return status_from_sqlite(rc);
  sqlite3_busy_timeout(table->connection_.get(), record_store_busy_timeout());
  // FULL: an acknowledged write is on disk before the call returns.
  rc = table->connection_.execute("PRAGMA synchronous=FULL");
  if (rc != SQLITE_OK) return status_from_sqlite(rc);
  const int status = table->load_definition();
  if (status != BTR_OK) return status;
  *out = std::move(table);
  return BTR_OK;
}

SqliteTableConnection::~SqliteTableConnection() { end_snapshot(); }

int SqliteTableConnection::execute(const char* sql) {
  end_snapshot();
  const int status = status_from_sqlite(connection_.execute(sql));
  count_record_store_write();  // a COMMIT makes the writes before it visible
  return status;
}

int SqliteTableConnection::begin_writes() { return execute("BEGIN IMMEDIATE"); }

int SqliteTableConnection::end_writes(bool commit) { return execute(commit ? "COMMIT" : "ROLLBACK"); }

int SqliteTableConnection::load_definition() {
  Statement header;
  int rc = connection_.prepare(
      "SELECT format, file_name, description, record_length, key_buffer_length, tagged "
      "FROM table_definition", &header);
  // A database without our tables is some other file, not a table of the store.
  if (rc != SQLITE_OK) return (rc & 0xff) == SQLITE_ERROR ? BTR_NOT_A_TABLE_FILE : status_from_sqlite(rc);
  {
    StatementUse use(header.get());
    rc = sqlite3_step(header.get());
    if (rc != SQLITE_ROW) return rc == SQLITE_DONE ? BTR_NOT_A_TABLE_FILE : status_from_sqlite(rc);
    const auto* format = reinterpret_cast<const char*>(sqlite3_column_text(header.get(), 0));
    if (format == nullptr || std::strcmp(format, kTableFileFormat) != 0) return BTR_NOT_A_TABLE_FILE;
    const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(header.get(), 1));
    const auto* description = reinterpret_cast<const char*>(sqlite3_column_text(header.get(), 2));
    definition_.file_name = name != nullptr ? name : "";
    definition_.description = description != nullptr ? description : "";
    // Read as 64-bit: a damaged length beyond int must not wrap into a plausible one.
    const sqlite3_int64 record_length = sqlite3_column_int64(header.get(), 3);
    const sqlite3_int64 key_buffer_length = sqlite3_column_int64(header.get(), 4);
    if (record_length > kRecordStoreMaxRecordLength || key_buffer_length > kRecordStoreMaxKeyLength) {
      return BTR_NOT_A_TABLE_FILE;
    }
    definition_.record_length = static_cast<int>(record_length);
    definition_.key_buffer_length = static_cast<int>(key_buffer_length);
    definition_.tagged = sqlite3_column_int(header.get(), 5) != 0;
    // One table, one definition: with two, which one the file was written by is unknowable.
    if (sqlite3_step(header.get()) != SQLITE_DONE) return BTR_NOT_A_TABLE_FILE;
  }
  Statement segments;
  rc = connection_.prepare(
      "SELECT key_number, offset, length, type, duplicates FROM key_segments "
      "ORDER BY key_number, segment_number", &segments);
  if (rc != SQLITE_OK) return (rc & 0xff) == SQLITE_ERROR ? BTR_NOT_A_TABLE_FILE : status_from_sqlite(rc);
  {
    StatementUse use(segments.get());
    while ((rc = sqlite3_step(segments.get())) == SQLITE_ROW) {
      const int added = add_stored_key_segment(
          &definition_, sqlite3_column_int(segments.get(), 0), sqlite3_column_int(segments.get(), 1),
          sqlite3_column_int(segments.get(), 2), sqlite3_column_int(segments.get(), 3),
          sqlite3_column_int(segments.get(), 4) != 0);
      if (added != BTR_OK) return added;
    }
    if (rc != SQLITE_DONE) return status_from_sqlite(rc);
  }
  if (!definition_problem(definition_).empty()) return BTR_NOT_A_TABLE_FILE;
  const int status = check_indexes_match_keys();
  if (status != BTR_OK) return status;

  read_statements_.resize(definition_.keys.size());
  for (const KeyDefinition& key : definition_.keys) key_lengths_.push_back(key.length());
  // The records table must be there and match the keys; preparing the lookup by id checks both.
  for (std::size_t key = 0; key < definition_.keys.size(); ++key) {
    if (read_statement(static_cast<int>(key), kById) == nullptr) return BTR_NOT_A_TABLE_FILE;
  }
  return BTR_OK;
}

// The stored definition says which keys allow duplicates; the indexes say how the records were
// written. A file where they disagree (a unique key over a group of equal keys would make a walk
// skip the group's later members) is not trusted.
int SqliteTableConnection::check_indexes_match_keys() {
  Statement columns;
  int rc = connection_.prepare(
      "SELECT il.name, il.\"unique\", ii.name FROM pragma_index_list('records') AS il "
      "JOIN pragma_index_info(il.name) AS ii ORDER BY il.name, ii.seqno", &columns);
  if (rc != SQLITE_OK) return (rc & 0xff) == SQLITE_ERROR ? BTR_NOT_A_TABLE_FILE : status_from_sqlite(rc);
  std::map<std::string, std::pair<bool, std::string>> indexes;  // name: unique, columns
  {
    StatementUse use(columns.get());
    while ((rc = sqlite3_step(columns.get())) == SQLITE_ROW) {
      const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(columns.get(), 0));
      const auto* column = reinterpret_cast<const char*>(sqlite3_column_text(columns.get(), 2));
      auto& index = indexes[name != nullptr ? name : ""];
      index.first = sqlite3_column_int(columns.get(), 1) != 0;
      index.second += std::string(index.second.empty() ? "" : ",") + (column != nullptr ? column : "");
    }
    if (rc != SQLITE_DONE) return status_from_sqlite(rc);
  }
  for (std::size_t key = 0; key < definition_.keys.size(); ++key) {
    const int n = static_cast<int>(key);
    const bool duplicates = definition_.keys[key].duplicates;
    const auto found = indexes.find("key" + std::to_string(n));
    const std::string expected = duplicates ? key_column(n) + "," + order_column(n) : key_column(n);
    if (found == indexes.end() || found->second.first == duplicates || found->second.second != expected) {
      return BTR_NOT_A_TABLE_FILE;
    }
  }
  return BTR_OK;
}

sqlite3_stmt* SqliteTableConnection::prepared(Statement& slot, const std::string& sql) {
  if (!slot && connection_.prepare(sql, &slot) != SQLITE_OK) slot = Statement();
  return slot.get();
}

// Every read gives the row as: id, version, data, the key column, its order column (0 for a
// unique key). A "get key" seek gives no version or data, so that the key's index, which holds
// the key, its order and the id, answers it without reading the record.
sqlite3_stmt* SqliteTableConnection::read_statement(int key_number, Query query) {
  Statement& slot = read_statements_[static_cast<std::size_t>(key_number)][query];
  if (slot) return slot.get();
  const std::string k = key_column(key_number);
  const bool duplicates = definition_.keys[static_cast<std::size_t>(key_number)].duplicates;
  const std::string o = duplicates ? order_column(key_number) : "0";
  const bool key_only = query >= kKeyEqual;
  if (key_only) query = static_cast<Query>(query - kKeyEqual);
  const std::string columns = "SELECT id, " + std::string(key_only ? "0, NULL, " : "version, data, ") + k + ", " + o +
                              " FROM records";
  const std::string forwards = duplicates ? " ORDER BY " + k + ", " + o : " ORDER BY " + k;
  const std::string backwards = duplicates ? " ORDER BY " + k + " DESC, " + o + " DESC" : " ORDER BY " + k + " DESC";
  // The walks continue from the current record's stored key (and order); they have no LIMIT, as
  // they are stepped row by row.
  const std::string after = duplicates ? "(" + k + ", " + o + ") > (?1, ?2)" : k + " > ?1";
  const std::string before = duplicates ? "(" + k + ", " + o + ") < (?1, ?2)" : k + " < ?1";
  std::string where;
  switch (query) {
    case kEqual: where = " WHERE " + k + " = ?1" + forwards + " LIMIT 1"; break;
    case kGreater: where = " WHERE " + k + " > ?1" + forwards + " LIMIT 1"; break;
    case kGreaterOrEqual: where = " WHERE " + k + " >= ?1" + forwards + " LIMIT 1"; break;
    case kLess: where = " WHERE " + k + " < ?1" + backwards + " LIMIT 1"; break;
    case kLessOrEqual: where = " WHERE " + k + " <= ?1" + backwards + " LIMIT 1"; break;
    case kFirst: where = forwards + " LIMIT 1"; break;
    case kLast: where = backwards + " LIMIT 1"; break;
    case kWalkForward: where = " WHERE " + after + forwards; break;
    case kWalkBackward: where = " WHERE " + before + backwards; break;
    case kById: where = " WHERE id = ?1"; break;
    default: break;
  }
  return prepared(slot, columns + where);
}

// Begins a read snapshot, or ends one that has reached its bound and begins the next. Inside a
// transaction of the caller's (loading records) reads are part of it; with a bound of 0 each read
// is its own transaction.
void SqliteTableConnection::begin_read() {
  if (snapshot_open_) {
    if (snapshot_age_.serves_another_read()) return;
    end_snapshot();
  }
  const ReadSnapshotBound bound = record_store_read_snapshot_bound();
  if (bound.reads <= 0 || bound.milliseconds <= 0 || sqlite3_get_autocommit(connection_.get()) == 0) return;
  if (connection_.execute("BEGIN") != SQLITE_OK) return;  // the read then runs as its own transaction
  snapshot_open_ = true;
  snapshot_age_.start();
}

void SqliteTableConnection::end_snapshot() {
  drop_cursor();
  if (!snapshot_open_) return;
  snapshot_open_ = false;
  // Nothing was written in it: ending it only lets go of the snapshot.
  connection_.execute("ROLLBACK");
}

void SqliteTableConnection::drop_cursor() {
  if (cursor_ == nullptr) return;
  sqlite3_reset(cursor_);
  sqlite3_clear_bindings(cursor_);
  cursor_ = nullptr;
}

int SqliteTableConnection::run(int operation, int key_number, btrv_fcb& handle) {
  const bool reading = is_read_operation(operation);
  if (!reading && operation != BTR_INSERT && operation != BTR_UPDATE && operation != BTR_DELETE) {
    return BTR_INVALID_OPERATION;
  }
  if (!reading) {
    // A write sees and changes the table as it stands, and the next read sees the write.
    end_snapshot();
    if (operation == BTR_DELETE) {
      const int status = remove(key_number);
      count_record_store_write();
      return status;
    }
  }
  if (key_number < 0 || key_number >= static_cast<int>(definition_.keys.size())) return BTR_INVALID_KEY_NUMBER;
  if (key_lengths_[static_cast<std::size_t>(key_number)] > handle.key_length) return BTR_KEY_BUFFER_TOO_SHORT;
  if (operation == BTR_INSERT || operation == BTR_UPDATE) {
    const int status = operation == BTR_INSERT ? insert(key_number, handle) : update(key_number, handle);
    count_record_store_write();
    return status;
  }
  begin_read();
  const int status = read(operation, key_number, handle);
  // A statement left part-way through its rows holds a read transaction: keep it only as part of
  // the snapshot.
  if (!snapshot_open_) drop_cursor();
  return status;
}

int SqliteTableConnection::read(int operation, int key_number, btrv_fcb& handle) {
  const bool key_only = is_key_only_read(operation);
  const int get = read_without_key_only(operation);
  if (get == BTR_GET_NEXT || get == BTR_GET_PREVIOUS) {
    return step_next_or_previous(get == BTR_GET_NEXT, key_number, handle, key_only);
  }
  drop_cursor();
  const auto seek = static_cast<Query>(seek_number(operation));
  sqlite3_stmt* statement = read_statement(key_number, key_only ? static_cast<Query>(kKeyEqual + seek) : seek);
  if (statement == nullptr) return BTR_IO_ERROR;
  StatementUse use(statement);
  if (seek != kFirst && seek != kLast) {
    // Bound without a copy: the member outlives the statement's use.
    encode_key_from_buffer(definition_.keys[static_cast<std::size_t>(key_number)], handle.key_buffer, &seek_key_);
    sqlite3_bind_blob(statement, 1, seek_key_.data(), static_cast<int>(seek_key_.size()), SQLITE_STATIC);
  }
  const int status = run_read_query(statement, key_number, handle, key_only);
  if (status == BTR_OK) return status;
  position_.forget();
  return status == BTR_END_OF_FILE && seek == kEqual ? BTR_KEY_NOT_FOUND : status;
}

// The first step after a seek starts a walk statement at the current record's stored key and
// order; while the snapshot lasts, later steps in the same direction take its next row, with no
// seek at all.
int SqliteTableConnection::step_next_or_previous(bool next, int key_number, btrv_fcb& handle, bool key_only) {
  const int allowed = position_allows(position_, key_number, false);
  if (allowed != BTR_OK) return allowed;
  const Query direction = next ? kWalkForward : kWalkBackward;
  sqlite3_stmt* walk = read_statement(key_number, key_only ? static_cast<Query>(kKeyEqual + direction) : direction);
  if (walk == nullptr) return BTR_IO_ERROR;
  if (cursor_ != walk) {
    drop_cursor();
    sqlite3_bind_blob(walk, 1, position_.key_value.data(), static_cast<int>(position_.key_value.size()),
                      SQLITE_TRANSIENT);
    if (definition_.keys[static_cast<std::size_t>(key_number)].duplicates) sqlite3_bind_int64(walk, 2, position_.order);
    cursor_ = walk;
  }
  const int status = run_read_query(walk, key_number, handle, key_only);
  // At the end, or on a record it cannot give, the position stays where it was, so the walk can
  // turn back or try again; the next step seeks afresh from there.
  if (status != BTR_OK) drop_cursor();
  return status;
}

int SqliteTableConnection::run_read_query(sqlite3_stmt* statement, int key_number, btrv_fcb& handle, bool key_only) {
  const int rc = sqlite3_step(statement);
  if (rc == SQLITE_DONE) return BTR_END_OF_FILE;
  if (rc != SQLITE_ROW) return status_from_sqlite(rc);
  return take_row(statement, key_number, handle, key_only);
}

int SqliteTableConnection::take_row(sqlite3_stmt* statement, int key_number, btrv_fcb& handle, bool key_only) {
  StoredRow row{};
  row.key = blob_of(statement, 3, &row.key_length);
  row.id = sqlite3_column_int64(statement, 0);
  row.order = sqlite3_column_int64(statement, 4);
  if (key_only) return take_stored_key(definition_, key_number, row, &position_, handle);
  row.data = blob_of(statement, 2, &row.length);
  row.version = sqlite3_column_int64(statement, 1);
  return take_stored_row(definition_, key_number, row, &position_, handle);
}

int SqliteTableConnection::records_in_written_order(std::vector<std::string>* records) {
  end_snapshot();
  Statement all;
  int rc = connection_.prepare("SELECT data FROM records ORDER BY id", &all);
  if (rc != SQLITE_OK) return BTR_IO_ERROR;
  StatementUse use(all.get());
  while ((rc = sqlite3_step(all.get())) == SQLITE_ROW) {
    int length = 0;
    const char* data = blob_of(all.get(), 0, &length);
    records->emplace_back(data != nullptr ? data : "", static_cast<std::size_t>(length));
  }
  return rc == SQLITE_DONE ? BTR_OK : BTR_IO_ERROR;
}

int SqliteTableConnection::check_records(std::string* problem) {
  end_snapshot();
  std::string sql = "SELECT id, data";
  for (std::size_t key = 0; key < definition_.keys.size(); ++key) sql += ", " + key_column(static_cast<int>(key));
  Statement all;
  int rc = connection_.prepare(sql + " FROM records ORDER BY id", &all);
  if (rc != SQLITE_OK) return status_from_sqlite(rc) == BTR_OK ? BTR_IO_ERROR : status_from_sqlite(rc);
  StatementUse use(all.get());
  const std::size_t keys = definition_.keys.size();
  std::vector<const char*> stored_keys(keys);
  std::vector<int> stored_lengths(keys);
  while ((rc = sqlite3_step(all.get())) == SQLITE_ROW) {
    int length = 0;
    const char* data = blob_of(all.get(), 1, &length);
    for (std::size_t key = 0; key < keys; ++key) {
      stored_keys[key] = blob_of(all.get(), 2 + static_cast<int>(key), &stored_lengths[key]);
    }
    *problem = stored_record_problem(definition_, sqlite3_column_int64(all.get(), 0), data, length,
                                     stored_keys.data(), stored_lengths.data());
    if (!problem->empty()) return BTR_IO_ERROR;
  }
  return rc == SQLITE_DONE ? BTR_OK : BTR_IO_ERROR;
}

// Binds the stored bytes as ?1 and each key, encoded, as ?2, ?3, ...; `data` must outlive the step.
void SqliteTableConnection::bind_record(sqlite3_stmt* statement, const std::string& data) {
  sqlite3_bind_blob(statement, 1, data.data(), static_cast<int>(data.size()), SQLITE_STATIC);
  const std::vector<std::string> keys = encoded_keys_of_stored(definition_, data);
  for (std::size_t key = 0; key < keys.size(); ++key) {
    sqlite3_bind_blob(statement, 2 + static_cast<int>(key), keys[key].data(), static_cast<int>(keys[key].size()),
                      SQLITE_TRANSIENT);
  }
}

int SqliteTableConnection::insert(int key_number, btrv_fcb& handle) {
  std::string data;
  int status = record_to_store(definition_, handle, &data);
  if (status != BTR_OK) return status;
  std::string columns = "version, data";
  std::string values = "1, ?1";
  for (std::size_t key = 0; key < definition_.keys.size(); ++key) {
    columns += ", " + key_column(static_cast<int>(key));
    values += ", ?" + std::to_string(key + 2);
  }
  sqlite3_stmt* statement = prepared(insert_, "INSERT INTO records(" + columns + ") VALUES(" + values + ")");
  if (statement == nullptr) return BTR_IO_ERROR;
  {
    StatementUse use(statement);
    bind_record(statement, data);
    const int rc = sqlite3_step(statement);
    if (rc != SQLITE_DONE) return status_from_sqlite(rc);
  }
  position_.id = sqlite3_last_insert_rowid(connection_.get());
  return reread_current(key_number, handle);
}

int SqliteTableConnection::update(int key_number, btrv_fcb& handle) {
  const int allowed = position_allows(position_, key_number, true);
  if (allowed != BTR_OK) return allowed;
  std::string data;
  int status = record_to_store(definition_, handle, &data);
  if (status != BTR_OK) return status;
  std::string assignments = "version = version + 1, data = ?1";
  for (std::size_t key = 0; key < definition_.keys.size(); ++key) {
    assignments += ", " + key_column(static_cast<int>(key)) + " = ?" + std::to_string(key + 2);
  }
  const std::size_t id_parameter = definition_.keys.size() + 2;
  sqlite3_stmt* statement =
      prepared(update_, "UPDATE records SET " + assignments + " WHERE id = ?" + std::to_string(id_parameter) +
                            " AND version = ?" + std::to_string(id_parameter + 1));
  if (statement == nullptr) return BTR_IO_ERROR;
  {
    StatementUse use(statement);
    bind_record(statement, data);
    sqlite3_bind_int64(statement, static_cast<int>(id_parameter), position_.id);
    sqlite3_bind_int64(statement, static_cast<int>(id_parameter) + 1, position_.version);
    const int rc = sqlite3_step(statement);
    if (rc != SQLITE_DONE) return status_from_sqlite(rc);
    if (sqlite3_changes(connection_.get()) == 0) return BTR_RECORD_CONFLICT;
  }
  return reread_current(key_number, handle);
}

int SqliteTableConnection::remove(int key_number) {
  const int allowed = position_allows(position_, key_number, true);
  if (allowed != BTR_OK) return allowed;
  sqlite3_stmt* statement = prepared(delete_, "DELETE FROM records WHERE id = ?1 AND version = ?2");
  if (statement == nullptr) return BTR_IO_ERROR;
  StatementUse use(statement);
  sqlite3_bind_int64(statement, 1, position_.id);
  sqlite3_bind_int64(statement, 2, position_.version);
  const int rc = sqlite3_step(statement);
  if (rc != SQLITE_DONE) return status_from_sqlite(rc);
  if (sqlite3_changes(connection_.get()) == 0) return BTR_RECORD_CONFLICT;
  // Next and previous still step from the deleted record's keys.
  position_.has_current = false;
  return BTR_OK;
}

// After a write the written record is current, as it now stands in the table.
int SqliteTableConnection::reread_current(int key_number, btrv_fcb& handle) {
  sqlite3_stmt* by_id = read_statement(key_number, kById);
  if (by_id == nullptr) return BTR_IO_ERROR;
  StatementUse use(by_id);
  sqlite3_bind_int64(by_id, 1, position_.id);
  const int status = run_read_query(by_id, key_number, handle);
  // The write itself is committed; only the position could not be refreshed.
  if (status != BTR_OK) position_.forget();
  return status == BTR_END_OF_FILE ? BTR_OK : status;
}

}  // namespace platform
