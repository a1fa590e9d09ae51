#include "table_connection.h"

#include <algorithm>
#include <cstring>

#include "key_encoding.h"
#include "store_settings.h"
#include "tagged_area.h"

namespace platform {

namespace {

std::string key_column(int key_number) { return "k" + std::to_string(key_number); }
std::string order_column(int key_number) { return "o" + std::to_string(key_number); }

bool is_read(int operation) {
  switch (operation) {
    case BTR_GET_EQUAL: case BTR_GET_NEXT: case BTR_GET_PREVIOUS: case BTR_GET_GREATER:
    case BTR_GET_GREATER_OR_EQUAL: case BTR_GET_LESS: case BTR_GET_LESS_OR_EQUAL:
    case BTR_GET_FIRST: case BTR_GET_LAST:
      return true;
    default:
      return false;
  }
}

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

int TableConnection::open(const std::string& path, std::unique_ptr<TableConnection>* out) {
  std::unique_ptr<TableConnection> table(new TableConnection());
  int rc = table->connection_.open(path, SQLITE_OPEN_READWRITE);
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

int TableConnection::load_definition() {
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
    definition_.record_length = sqlite3_column_int(header.get(), 3);
    definition_.key_buffer_length = sqlite3_column_int(header.get(), 4);
    definition_.tagged = sqlite3_column_int(header.get(), 5) != 0;
  }
  Statement segments;
  rc = connection_.prepare(
      "SELECT key_number, offset, length, type, duplicates FROM key_segments "
      "ORDER BY key_number, segment_number", &segments);
  if (rc != SQLITE_OK) return (rc & 0xff) == SQLITE_ERROR ? BTR_NOT_A_TABLE_FILE : status_from_sqlite(rc);
  {
    StatementUse use(segments.get());
    while ((rc = sqlite3_step(segments.get())) == SQLITE_ROW) {
      const int key_number = sqlite3_column_int(segments.get(), 0);
      const int keys_so_far = static_cast<int>(definition_.keys.size());
      // Keys are numbered 0, 1, 2, ... without gaps: a row is of the key last begun or begins the next.
      if (key_number == keys_so_far) {
        definition_.keys.emplace_back();
      } else if (keys_so_far == 0 || key_number != keys_so_far - 1) {
        return BTR_NOT_A_TABLE_FILE;
      }
      KeyDefinition& key = definition_.keys.back();
      key.duplicates = sqlite3_column_int(segments.get(), 4) != 0;
      const int type = sqlite3_column_int(segments.get(), 3);
      if (type < 0 || type > static_cast<int>(KeySegmentType::raw)) return BTR_NOT_A_TABLE_FILE;
      key.segments.push_back({sqlite3_column_int(segments.get(), 1), sqlite3_column_int(segments.get(), 2),
                              static_cast<KeySegmentType>(type)});
    }
    if (rc != SQLITE_DONE) return status_from_sqlite(rc);
  }
  if (!definition_problem(definition_).empty()) return BTR_NOT_A_TABLE_FILE;

  select_columns_ = "id, version, data";
  order_column_of_key_.assign(definition_.keys.size(), -1);
  int column = 3;
  for (std::size_t key = 0; key < definition_.keys.size(); ++key) {
    if (!definition_.keys[key].duplicates) continue;
    select_columns_ += ", " + order_column(static_cast<int>(key));
    order_column_of_key_[key] = column++;
  }
  read_statements_.resize(definition_.keys.size());
  current_order_.assign(definition_.keys.size(), 0);
  // The records table must be there and match the keys; preparing the lookup by id checks both.
  if (prepared(select_by_id_, "SELECT " + select_columns_ + " FROM records WHERE id = ?1") == nullptr) {
    return BTR_NOT_A_TABLE_FILE;
  }
  return BTR_OK;
}

sqlite3_stmt* TableConnection::prepared(Statement& slot, const std::string& sql) {
  if (!slot && connection_.prepare(sql, &slot) != SQLITE_OK) slot = Statement();
  return slot.get();
}

sqlite3_stmt* TableConnection::read_statement(int key_number, Query query) {
  Statement& slot = read_statements_[static_cast<std::size_t>(key_number)][query];
  if (slot) return slot.get();
  const std::string k = key_column(key_number);
  const bool duplicates = definition_.keys[static_cast<std::size_t>(key_number)].duplicates;
  const std::string o = order_column(key_number);
  const std::string ascending = duplicates ? " ORDER BY " + k + ", " + o + " LIMIT 1" : " ORDER BY " + k + " LIMIT 1";
  const std::string descending =
      duplicates ? " ORDER BY " + k + " DESC, " + o + " DESC LIMIT 1" : " ORDER BY " + k + " DESC LIMIT 1";
  std::string where;
  switch (query) {
    case kEqual: where = " WHERE " + k + " = ?1" + ascending; break;
    case kGreater: where = " WHERE " + k + " > ?1" + ascending; break;
    case kGreaterOrEqual: where = " WHERE " + k + " >= ?1" + ascending; break;
    case kLess: where = " WHERE " + k + " < ?1" + descending; break;
    case kLessOrEqual: where = " WHERE " + k + " <= ?1" + descending; break;
    case kFirst: where = ascending; break;
    case kLast: where = descending; break;
    case kNextSame: where = " WHERE " + k + " = ?1 AND " + o + " > ?2" + ascending; break;
    case kPreviousSame: where = " WHERE " + k + " = ?1 AND " + o + " < ?2" + descending; break;
    case kQueryCount: break;
  }
  return prepared(slot, "SELECT " + select_columns_ + " FROM records" + where);
}

int TableConnection::run(int operation, int key_number, btrv_fcb& handle) {
  const bool reading = is_read(operation);
  if (!reading && operation != BTR_INSERT && operation != BTR_UPDATE && operation != BTR_DELETE) {
    return BTR_INVALID_OPERATION;
  }
  // Delete needs no key; every other operation fills or reads the key buffer of its key.
  if (operation != BTR_DELETE) {
    if (key_number < 0 || key_number >= static_cast<int>(definition_.keys.size())) return BTR_INVALID_KEY_NUMBER;
    if (definition_.keys[static_cast<std::size_t>(key_number)].length() > handle.key_length) {
      return BTR_KEY_BUFFER_TOO_SHORT;
    }
  }
  if (reading) return read(operation, key_number, handle);
  if (operation == BTR_INSERT) return insert(key_number, handle);
  if (operation == BTR_UPDATE) return update(key_number, handle);
  return remove();
}

int TableConnection::read(int operation, int key_number, btrv_fcb& handle) {
  if (operation == BTR_GET_NEXT || operation == BTR_GET_PREVIOUS) {
    return step_next_or_previous(operation == BTR_GET_NEXT, key_number, handle);
  }
  Query query = kEqual;
  switch (operation) {
    case BTR_GET_GREATER: query = kGreater; break;
    case BTR_GET_GREATER_OR_EQUAL: query = kGreaterOrEqual; break;
    case BTR_GET_LESS: query = kLess; break;
    case BTR_GET_LESS_OR_EQUAL: query = kLessOrEqual; break;
    case BTR_GET_FIRST: query = kFirst; break;
    case BTR_GET_LAST: query = kLast; break;
    default: break;
  }
  sqlite3_stmt* statement = read_statement(key_number, query);
  if (statement == nullptr) return BTR_IO_ERROR;
  std::string key;  // bound without a copy: it must outlive the statement's use
  StatementUse use(statement);
  if (query != kFirst && query != kLast) {
    key = encode_key_from_buffer(definition_.keys[static_cast<std::size_t>(key_number)], handle.key_buffer);
    sqlite3_bind_blob(statement, 1, key.data(), static_cast<int>(key.size()), SQLITE_STATIC);
  }
  const int status = run_read_query(statement, key_number, handle);
  if (status == BTR_OK) return status;
  forget_position();
  return status == BTR_END_OF_FILE && query == kEqual ? BTR_KEY_NOT_FOUND : status;
}

// Two queries, each a seek on the index: a later member of the current record's group of equal
// keys, and else the first record of the next key. One query over (key, order) would seek on the
// key and then scan the whole group, so a step would cost more the larger the group.
int TableConnection::step_next_or_previous(bool next, int key_number, btrv_fcb& handle) {
  if (!positioned_) return BTR_NO_CURRENT_RECORD;
  const std::size_t key_index = static_cast<std::size_t>(key_number);
  const std::string key = encode_key_from_record(definition_.keys[key_index], current_record_.data());
  if (definition_.keys[key_index].duplicates) {
    sqlite3_stmt* same = read_statement(key_number, next ? kNextSame : kPreviousSame);
    if (same == nullptr) return BTR_IO_ERROR;
    StatementUse use(same);
    sqlite3_bind_blob(same, 1, key.data(), static_cast<int>(key.size()), SQLITE_STATIC);
    sqlite3_bind_int64(same, 2, current_order_[key_index]);
    const int status = run_read_query(same, key_number, handle);
    if (status != BTR_END_OF_FILE) return status;
  }
  sqlite3_stmt* beyond = read_statement(key_number, next ? kGreater : kLess);
  if (beyond == nullptr) return BTR_IO_ERROR;
  StatementUse use(beyond);
  sqlite3_bind_blob(beyond, 1, key.data(), static_cast<int>(key.size()), SQLITE_STATIC);
  // At the end the position stays where it was, so the walk can turn back.
  return run_read_query(beyond, key_number, handle);
}

int TableConnection::run_read_query(sqlite3_stmt* statement, int key_number, btrv_fcb& handle) {
  const int rc = sqlite3_step(statement);
  if (rc == SQLITE_DONE) return BTR_END_OF_FILE;
  if (rc != SQLITE_ROW) return status_from_sqlite(rc);
  return take_row(statement, key_number, handle);
}

int TableConnection::take_row(sqlite3_stmt* statement, int key_number, btrv_fcb& handle) {
  int length = 0;
  const char* data = blob_of(statement, 2, &length);
  // A stored record that its table cannot hold, or a tagged one without its key fields: the file
  // is damaged.
  if (length > definition_.record_length || (!definition_.tagged && length != definition_.record_length) ||
      (definition_.tagged && length < definition_.key_buffer_length)) {
    return BTR_IO_ERROR;
  }
  if (length > handle.record_length) {
    std::memcpy(handle.record_buffer, data, static_cast<std::size_t>(handle.record_length));
    handle.data_length = handle.record_length;
    return BTR_DATA_BUFFER_TOO_SHORT;
  }
  current_record_.assign(static_cast<std::size_t>(definition_.record_length), '\0');
  if (length > 0) std::memcpy(&current_record_[0], data, static_cast<std::size_t>(length));
  current_id_ = sqlite3_column_int64(statement, 0);
  current_version_ = sqlite3_column_int64(statement, 1);
  for (std::size_t key = 0; key < order_column_of_key_.size(); ++key) {
    const int column = order_column_of_key_[key];
    current_order_[key] = column < 0 ? 0 : sqlite3_column_int64(statement, column);
  }
  positioned_ = true;
  has_current_ = true;
  const std::size_t copied = std::min(current_record_.size(), static_cast<std::size_t>(handle.record_length));
  std::memcpy(handle.record_buffer, current_record_.data(), copied);
  if (static_cast<int>(copied) < handle.record_length) {
    std::memset(handle.record_buffer + copied, 0, static_cast<std::size_t>(handle.record_length) - copied);
  }
  handle.data_length = length;
  copy_key_to_buffer(definition_.keys[static_cast<std::size_t>(key_number)], current_record_.data(),
                     handle.key_buffer);
  return BTR_OK;
}

// The bytes to store: the whole record, or for a tagged table the record up to its last whole
// tagged field (the rest of a tagged record buffer is free space).
int TableConnection::record_to_store(const btrv_fcb& handle, std::string* data) const {
  if (handle.record_length < definition_.record_length) return BTR_DATA_BUFFER_TOO_SHORT;
  int length = definition_.record_length;
  if (definition_.tagged) {
    std::vector<TaggedField> fields;
    int used_end = 0;
    if (parse_tagged_area(handle.record_buffer, definition_.key_buffer_length, definition_.record_length,
                          &fields, &used_end) == BTR_OK) {
      length = used_end;
    }
  }
  data->assign(handle.record_buffer, static_cast<std::size_t>(length));
  return BTR_OK;
}

// Binds the stored bytes as ?1 and each key, encoded, as ?2, ?3, ...; `data` must outlive the step.
void TableConnection::bind_record(sqlite3_stmt* statement, const std::string& data) {
  sqlite3_bind_blob(statement, 1, data.data(), static_cast<int>(data.size()), SQLITE_STATIC);
  std::string padded = data;  // a tagged record is stored without its free space
  padded.resize(static_cast<std::size_t>(definition_.record_length), '\0');
  for (std::size_t key = 0; key < definition_.keys.size(); ++key) {
    const std::string encoded = encode_key_from_record(definition_.keys[key], padded.data());
    sqlite3_bind_blob(statement, 2 + static_cast<int>(key), encoded.data(), static_cast<int>(encoded.size()),
                      SQLITE_TRANSIENT);
  }
}

int TableConnection::insert(int key_number, btrv_fcb& handle) {
  std::string data;
  int status = record_to_store(handle, &data);
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
  current_id_ = sqlite3_last_insert_rowid(connection_.get());
  return reread_current(key_number, handle);
}

int TableConnection::update(int key_number, btrv_fcb& handle) {
  if (!has_current_) return BTR_NO_CURRENT_RECORD;
  std::string data;
  int status = record_to_store(handle, &data);
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
    sqlite3_bind_int64(statement, static_cast<int>(id_parameter), current_id_);
    sqlite3_bind_int64(statement, static_cast<int>(id_parameter) + 1, current_version_);
    const int rc = sqlite3_step(statement);
    if (rc != SQLITE_DONE) return status_from_sqlite(rc);
    if (sqlite3_changes(connection_.get()) == 0) return BTR_RECORD_CONFLICT;
  }
  return reread_current(key_number, handle);
}

int TableConnection::remove() {
  if (!has_current_) return BTR_NO_CURRENT_RECORD;
  sqlite3_stmt* statement = prepared(delete_, "DELETE FROM records WHERE id = ?1 AND version = ?2");
  if (statement == nullptr) return BTR_IO_ERROR;
  StatementUse use(statement);
  sqlite3_bind_int64(statement, 1, current_id_);
  sqlite3_bind_int64(statement, 2, current_version_);
  const int rc = sqlite3_step(statement);
  if (rc != SQLITE_DONE) return status_from_sqlite(rc);
  if (sqlite3_changes(connection_.get()) == 0) return BTR_RECORD_CONFLICT;
  // Next and previous still step from the deleted record's keys.
  has_current_ = false;
  return BTR_OK;
}

// After a write the written record is current, as it now stands in the table.
int TableConnection::reread_current(int key_number, btrv_fcb& handle) {
  StatementUse use(select_by_id_.get());
  sqlite3_bind_int64(select_by_id_.get(), 1, current_id_);
  const int status = run_read_query(select_by_id_.get(), key_number, handle);
  // The write itself is committed; only the position could not be refreshed.
  if (status != BTR_OK) forget_position();
  return status == BTR_END_OF_FILE ? BTR_OK : status;
}

void TableConnection::forget_position() {
  positioned_ = false;
  has_current_ = false;
}

}  // namespace platform
