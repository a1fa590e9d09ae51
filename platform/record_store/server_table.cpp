#include "server_table.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "key_encoding.h"
#include "server_handles.h"
#include "store_settings.h"
#include "stored_row.h"

namespace platform {

namespace {

constexpr const char* kServerTableFormat = "qarntash table 1";
// A walk's first batch is small (most walks after a seek read a few records); each further
// batch doubles, up to this many records a round trip.
constexpr int kFirstBatch = 8;
constexpr int kLargestBatch = 1024;
// Names the server would cut short (63 bytes, with room for "#order") are refused.
constexpr std::size_t kLongestServerFileName = 48;

std::string lower_case(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c); });
  return text;
}

std::string key_column(std::size_t key) { return "k" + std::to_string(key); }
std::string order_column(std::size_t key) { return "o" + std::to_string(key); }

Result run_sql(PGconn* connection, const std::string& sql) { return Result(PQexec(connection, sql.c_str())); }

Result run_sql(PGconn* connection, const std::string& sql, const ServerParameters& parameters) {
  return Result(PQexecParams(connection, sql.c_str(), parameters.count(), nullptr, parameters.values(),
                             parameters.lengths(), parameters.formats(), 1));
}

// The schema's two catalogue tables, made the first time a table is made in it. Makers racing
// to make them may see the server's own clash of names; the loser tries again.
int make_catalogue(PGconn* connection, const std::string& schema) {
  const std::string sql =
      "CREATE SCHEMA IF NOT EXISTS " + schema + "; CREATE TABLE IF NOT EXISTS " + schema +
      ".qarntash_tables(name text PRIMARY KEY, file_name text NOT NULL, description text NOT NULL, "
      "record_length integer NOT NULL, key_buffer_length integer NOT NULL, tagged boolean NOT NULL, "
      "format text NOT NULL); CREATE TABLE IF NOT EXISTS " + schema +
      ".qarntash_key_segments(name text NOT NULL, key_number integer NOT NULL, segment_number integer NOT NULL, "
      "\"offset\" integer NOT NULL, length integer NOT NULL, type integer NOT NULL, duplicates boolean NOT NULL, "
      "PRIMARY KEY(name, key_number, segment_number))";
  int status = BTR_IO_ERROR;
  for (int attempt = 0; attempt < 5 && status != BTR_OK; ++attempt) status = status_of(run_sql(connection, sql).get());
  return status;
}

// The sequence, the records table and its indexes (which the server puts in the table's schema).
std::string records_table_sql(PGconn* connection, const std::string& table, const std::string& sequence,
                              const std::string& name, const TableDefinition& definition) {
  std::string sql = "CREATE SEQUENCE " + sequence + "; CREATE TABLE " + table +
                    "(id bigint PRIMARY KEY, version bigint NOT NULL, data bytea NOT NULL";
  std::string indexes;
  for (std::size_t key = 0; key < definition.keys.size(); ++key) {
    const std::string k = key_column(key);
    const std::string index = quoted_name(connection, name + "#key" + std::to_string(key));
    sql += ", " + k + " bytea NOT NULL";
    if (definition.keys[key].duplicates) {
      sql += ", " + order_column(key) + " bigint NOT NULL";
      indexes += "; CREATE INDEX " + index + " ON " + table + "(" + k + ", " + order_column(key) + ")";
    } else {
      indexes += "; CREATE UNIQUE INDEX " + index + " ON " + table + "(" + k + ")";
    }
  }
  return sql + ")" + indexes;
}

// A practice's table on the server, through a connection of its own.
class ServerTable final : public TableConnection {
 public:
  ServerTable(ServerPath path, std::string file_name) : path_(std::move(path)), name_(lower_case(std::move(file_name))) {}
  ~ServerTable() override { end_snapshot(); }

  int open();
  const TableDefinition& definition() const override { return definition_; }
  int begin_writes() override;
  int end_writes(bool commit) override;
  int run(int operation, int key_number, btrv_fcb& handle) override;
  const std::string* current_record() const override { return position_.has_current ? &position_.record : nullptr; }
  int check_records(std::string* problem) override;
  int records_in_written_order(std::vector<std::string>* records) override;

 private:
  // The first seven in the order of seek_number(); the "get key" reads in the same order as the
  // first nine from kKeyEqual.
  enum Query { kEqual, kGreater, kGreaterOrEqual, kLess, kLessOrEqual, kFirst, kLast, kWalkForward, kWalkBackward,
               kKeyEqual, kKeyGreater, kKeyGreaterOrEqual, kKeyLess, kKeyLessOrEqual, kKeyFirst, kKeyLast,
               kKeyWalkForward, kKeyWalkBackward, kQueryCount };

  int connect();
  int load_definition();
  bool connection_usable();
  std::string read_sql(std::size_t key, Query query) const;
  Result execute(std::size_t key, Query query, const ServerParameters& parameters);
  void begin_read();
  void end_snapshot();
  void drop_batch() { batch_.reset(); }
  int read(int operation, int key_number, btrv_fcb& handle);
  int step_next_or_previous(bool next, int key_number, btrv_fcb& handle, bool key_only);
  int take(const PGresult* rows, int row, int key_number, btrv_fcb& handle, bool key_only = false);
  int write(int operation, int key_number, btrv_fcb& handle);
  std::string write_sql(int operation, std::size_t key) const;

  ServerPath path_;
  std::string name_;  // the file name in lower case
  ServerConnection connection_;
  std::string schema_, table_;  // quoted names
  std::string sequence_;        // the order sequence's name as a literal
  TableDefinition definition_;
  std::vector<std::array<bool, kQueryCount>> prepared_reads_;
  std::vector<std::array<bool, 3>> prepared_writes_;  // insert, update, delete

  bool snapshot_open_ = false;
  SnapshotAge snapshot_age_;
  bool in_writes_ = false;
  bool writes_failed_ = false;

  // Records read ahead by a walk: rows after batch_row_ come next in direction batch_forward_,
  // keys alone when batch_key_only_.
  Result batch_;
  int batch_row_ = 0;
  bool batch_forward_ = true;
  bool batch_key_only_ = false;
  int next_batch_ = kFirstBatch;

  TablePosition position_;
};

int ServerTable::connect() {
  connection_ = connect_to_server(path_.connection_uri);
  if (connection_ == nullptr) return BTR_IO_ERROR;
  for (auto& statements : prepared_reads_) statements.fill(false);
  for (auto& statements : prepared_writes_) statements.fill(false);
  snapshot_open_ = false;
  in_writes_ = false;
  drop_batch();
  // A write waits for another user's row lock at most the busy timeout.
  const std::string timeout = "SET lock_timeout = " + std::to_string(std::max(1, record_store_busy_timeout()));
  return status_of(run_sql(connection_.get(), timeout).get());
}

int ServerTable::open() {
  if (name_.size() > kLongestServerFileName) return BTR_FILE_NOT_FOUND;
  int status = connect();
  if (status != BTR_OK) return status;
  schema_ = quoted_name(connection_.get(), path_.schema);
  table_ = schema_ + "." + quoted_name(connection_.get(), name_);
  sequence_ = quoted_literal(connection_.get(), schema_ + "." + quoted_name(connection_.get(), name_ + "#order"));
  status = load_definition();
  if (status != BTR_OK) return status;
  prepared_reads_.assign(definition_.keys.size(), {});
  prepared_writes_.assign(definition_.keys.size(), {});
  // The records table must be there and hold every key's columns.
  std::string columns = "id, version, data";
  for (std::size_t key = 0; key < definition_.keys.size(); ++key) {
    columns += ", " + key_column(key) + (definition_.keys[key].duplicates ? ", " + order_column(key) : "");
  }
  return status_of(run_sql(connection_.get(), "SELECT " + columns + " FROM " + table_ + " LIMIT 0").get()) == BTR_OK
             ? BTR_OK
             : BTR_NOT_A_TABLE_FILE;
}

int ServerTable::load_definition() {
  ServerParameters name;
  name.add_text(name_);
  Result header(PQexecParams(connection_.get(),
                             ("SELECT file_name, description, record_length, key_buffer_length, tagged::int, format "
                              "FROM " + schema_ + ".qarntash_tables WHERE name = $1::text").c_str(),
                             1, nullptr, name.values(), name.lengths(), name.formats(), 0));
  if (status_of(header.get()) != BTR_OK) {
    // A schema without the store's tables holds no table of the practice.
    const char* code = PQresultErrorField(header.get(), PG_DIAG_SQLSTATE);
    const bool missing = code != nullptr && (std::strcmp(code, "42P01") == 0 || std::strcmp(code, "3F000") == 0);
    return missing ? BTR_FILE_NOT_FOUND : BTR_IO_ERROR;
  }
  if (PQntuples(header.get()) != 1) return BTR_FILE_NOT_FOUND;
  if (std::strcmp(PQgetvalue(header.get(), 0, 5), kServerTableFormat) != 0) return BTR_NOT_A_TABLE_FILE;
  definition_.file_name = PQgetvalue(header.get(), 0, 0);
  definition_.description = PQgetvalue(header.get(), 0, 1);
  // Read as 64-bit: a damaged length beyond int must not wrap into a plausible one.
  const long long record_length = std::atoll(PQgetvalue(header.get(), 0, 2));
  const long long key_buffer_length = std::atoll(PQgetvalue(header.get(), 0, 3));
  if (record_length > kRecordStoreMaxRecordLength || key_buffer_length > kRecordStoreMaxKeyLength) {
    return BTR_NOT_A_TABLE_FILE;
  }
  definition_.record_length = static_cast<int>(record_length);
  definition_.key_buffer_length = static_cast<int>(key_buffer_length);
  definition_.tagged = std::strcmp(PQgetvalue(header.get(), 0, 4), "1") == 0;

  Result segments(PQexecParams(connection_.get(),
                               ("SELECT key_number, \"offset\", length, type, duplicates::int FROM " + schema_ +
                                ".qarntash_key_segments WHERE name = $1::text ORDER BY key_number, segment_number")
                                   .c_str(),
                               1, nullptr, name.values(), name.lengths(), name.formats(), 0));
  if (status_of(segments.get()) != BTR_OK) return BTR_NOT_A_TABLE_FILE;
  for (int row = 0; row < PQntuples(segments.get()); ++row) {
    const auto field = [&](int column) { return std::atoi(PQgetvalue(segments.get(), row, column)); };
    const int added = add_stored_key_segment(&definition_, field(0), field(1), field(2), field(3), field(4) != 0);
    if (added != BTR_OK) return added;
  }
  return definition_problem(definition_).empty() ? BTR_OK : BTR_NOT_A_TABLE_FILE;
}

// A connection the server dropped (restarted, or killed) is made again before the next call; a
// snapshot or load it held is gone with it.
bool ServerTable::connection_usable() {
  if (PQstatus(connection_.get()) == CONNECTION_OK) return true;
  const bool was_loading = in_writes_;
  if (connect() != BTR_OK) return false;
  writes_failed_ = writes_failed_ || was_loading;
  return true;
}

int ServerTable::begin_writes() {
  end_snapshot();
  if (!connection_usable()) return BTR_IO_ERROR;
  const int status = status_of(run_sql(connection_.get(), "BEGIN").get());
  in_writes_ = status == BTR_OK;
  writes_failed_ = false;
  return status;
}

int ServerTable::end_writes(bool commit) {
  if (!in_writes_) return writes_failed_ ? BTR_IO_ERROR : BTR_OK;
  in_writes_ = false;
  drop_batch();
  // The server turns the COMMIT of a failed transaction into a rollback: that is no success.
  const bool committing = commit && !writes_failed_;
  const int status = status_of(run_sql(connection_.get(), committing ? "COMMIT" : "ROLLBACK").get());
  count_record_store_write();
  if (commit && writes_failed_) return BTR_IO_ERROR;
  return status;
}

// Every read gives the row as: id, version, data, the key column, its order column (0 for a unique
// key). A "get key" seek gives no version or data, so the key's index can answer it alone.
std::string ServerTable::read_sql(std::size_t key, Query query) const {
  const std::string k = key_column(key);
  const bool duplicates = definition_.keys[key].duplicates;
  const std::string o = duplicates ? order_column(key) : "0::bigint";
  const bool key_only = query >= kKeyEqual;
  if (key_only) query = static_cast<Query>(query - kKeyEqual);
  const std::string columns = "SELECT id, " + std::string(key_only ? "0::bigint, NULL::bytea, " : "version, data, ") +
                              k + ", " + o + " FROM " + table_;
  const std::string forwards = duplicates ? " ORDER BY " + k + ", " + o : " ORDER BY " + k;
  const std::string backwards = duplicates ? " ORDER BY " + k + " DESC, " + o + " DESC" : " ORDER BY " + k + " DESC";
  // Walks continue from the current record's stored key (and order), a batch at a time.
  const std::string after = duplicates ? "(" + k + ", " + o + ") > ($1, $2)" : k + " > $1 AND $2::bigint = 0";
  const std::string before = duplicates ? "(" + k + ", " + o + ") < ($1, $2)" : k + " < $1 AND $2::bigint = 0";
  switch (query) {
    case kEqual: return columns + " WHERE " + k + " = $1" + forwards + " LIMIT 1";
    case kGreater: return columns + " WHERE " + k + " > $1" + forwards + " LIMIT 1";
    case kGreaterOrEqual: return columns + " WHERE " + k + " >= $1" + forwards + " LIMIT 1";
    case kLess: return columns + " WHERE " + k + " < $1" + backwards + " LIMIT 1";
    case kLessOrEqual: return columns + " WHERE " + k + " <= $1" + backwards + " LIMIT 1";
    case kFirst: return columns + forwards + " LIMIT 1";
    case kLast: return columns + backwards + " LIMIT 1";
    case kWalkForward: return columns + " WHERE " + after + forwards + " LIMIT $3";
    case kWalkBackward: return columns + " WHERE " + before + backwards + " LIMIT $3";
    default: break;
  }
  return "";
}

// Runs a read, prepared on the server the first time this connection runs it.
Result ServerTable::execute(std::size_t key, Query query, const ServerParameters& parameters) {
  const std::string name = "r" + std::to_string(key) + "_" + std::to_string(static_cast<int>(query));
  bool& prepared = prepared_reads_[key][query];
  if (!prepared) {
    Result made(PQprepare(connection_.get(), name.c_str(), read_sql(key, query).c_str(), 0, nullptr));
    if (status_of(made.get()) != BTR_OK) return made;
    prepared = true;
  }
  return Result(PQexecPrepared(connection_.get(), name.c_str(), parameters.count(), parameters.values(),
                               parameters.lengths(), parameters.formats(), 1));
}

void ServerTable::begin_read() {
  if (snapshot_open_) {
    if (snapshot_age_.serves_another_read()) return;
    end_snapshot();
  }
  const ReadSnapshotBound bound = record_store_read_snapshot_bound();
  if (bound.reads <= 0 || bound.milliseconds <= 0 || in_writes_) return;
  if (status_of(run_sql(connection_.get(), "BEGIN ISOLATION LEVEL REPEATABLE READ, READ ONLY").get()) != BTR_OK) return;
  snapshot_open_ = true;
  snapshot_age_.start();
}

// Records read ahead belong to the snapshot they were read in and go with it.
void ServerTable::end_snapshot() {
  if (!in_writes_) drop_batch();
  if (!snapshot_open_) return;
  snapshot_open_ = false;
  if (PQstatus(connection_.get()) == CONNECTION_OK) run_sql(connection_.get(), "ROLLBACK");
}

int ServerTable::run(int operation, int key_number, btrv_fcb& handle) {
  const bool reading = is_read_operation(operation);
  if (!reading && operation != BTR_INSERT && operation != BTR_UPDATE && operation != BTR_DELETE) {
    return BTR_INVALID_OPERATION;
  }
  if (!connection_usable()) return BTR_IO_ERROR;
  if (!reading) {
    end_snapshot();
    drop_batch();
  }
  if (operation == BTR_DELETE || operation == BTR_UPDATE) {
    const int allowed = position_allows(position_, key_number, true);
    if (allowed != BTR_OK) return allowed;
  }
  if (key_number < 0 || key_number >= static_cast<int>(definition_.keys.size())) return BTR_INVALID_KEY_NUMBER;
  if (definition_.keys[static_cast<std::size_t>(key_number)].length() > handle.key_length) {
    return BTR_KEY_BUFFER_TOO_SHORT;
  }
  if (!reading) {
    const int status = write(operation, key_number, handle);
    if (status != BTR_OK && in_writes_) writes_failed_ = true;
    count_record_store_write();
    return status;
  }
  begin_read();
  const int status = read(operation, key_number, handle);
  // A read that failed inside the snapshot (a lost connection) leaves it unusable.
  if (status != BTR_OK && status != BTR_END_OF_FILE && status != BTR_KEY_NOT_FOUND &&
      status != BTR_DATA_BUFFER_TOO_SHORT) {
    end_snapshot();
  }
  return status;
}

int ServerTable::read(int operation, int key_number, btrv_fcb& handle) {
  const bool key_only = is_key_only_read(operation);
  const int get = read_without_key_only(operation);
  if (get == BTR_GET_NEXT || get == BTR_GET_PREVIOUS) {
    return step_next_or_previous(get == BTR_GET_NEXT, key_number, handle, key_only);
  }
  drop_batch();
  next_batch_ = kFirstBatch;
  const auto seek = static_cast<Query>(seek_number(operation));
  const auto key = static_cast<std::size_t>(key_number);
  ServerParameters parameters;
  if (seek != kFirst && seek != kLast) {
    parameters.add_bytes(encode_key_from_buffer(definition_.keys[key], handle.key_buffer));
  }
  const Result rows = execute(key, key_only ? static_cast<Query>(kKeyEqual + seek) : seek, parameters);
  int status = status_of(rows.get());
  if (status == BTR_OK) {
    status = PQntuples(rows.get()) == 0 ? BTR_END_OF_FILE : take(rows.get(), 0, key_number, handle, key_only);
  }
  if (status == BTR_OK) return status;
  position_.forget();
  return status == BTR_END_OF_FILE && seek == kEqual ? BTR_KEY_NOT_FOUND : status;
}

// A step takes the next record read ahead; when there is none, it reads the next batch from the
// current record's stored key. At the end, or on a record it cannot give, the position stays
// where it was, so the walk can turn back or try again.
int ServerTable::step_next_or_previous(bool next, int key_number, btrv_fcb& handle, bool key_only) {
  const int allowed = position_allows(position_, key_number, false);
  if (allowed != BTR_OK) return allowed;
  if (batch_ != nullptr && batch_forward_ == next && batch_key_only_ == key_only &&
      batch_row_ + 1 < PQntuples(batch_.get())) {
    const int status = take(batch_.get(), batch_row_ + 1, key_number, handle, key_only);
    if (status == BTR_OK) {
      ++batch_row_;
    } else {
      drop_batch();
    }
    return status;
  }
  drop_batch();
  // Read ahead only inside a snapshot (or a load's transaction): otherwise each read must see the
  // table as it stands. Inside a snapshot, no more than it may still serve: rows read beyond
  // that would be dropped unread when it ends.
  int batch = in_writes_ ? next_batch_ : 1;
  if (snapshot_open_) batch = std::min(next_batch_, 1 + snapshot_age_.reads_left());
  next_batch_ = std::min(next_batch_ * 2, kLargestBatch);
  ServerParameters parameters;
  parameters.add_bytes(position_.key_value);
  parameters.add_int64(position_.order);
  parameters.add_int64(batch);
  const Query direction = next ? kWalkForward : kWalkBackward;
  Result rows = execute(static_cast<std::size_t>(key_number),
                        key_only ? static_cast<Query>(kKeyEqual + direction) : direction, parameters);
  int status = status_of(rows.get());
  if (status != BTR_OK) return status;
  if (PQntuples(rows.get()) == 0) return BTR_END_OF_FILE;
  status = take(rows.get(), 0, key_number, handle, key_only);
  if (status != BTR_OK) return status;
  batch_ = std::move(rows);
  batch_row_ = 0;
  batch_forward_ = next;
  batch_key_only_ = key_only;
  return BTR_OK;
}

int ServerTable::take(const PGresult* rows, int row, int key_number, btrv_fcb& handle, bool key_only) {
  StoredRow stored{};
  stored.key = PQgetvalue(rows, row, 3);
  stored.key_length = PQgetlength(rows, row, 3);
  stored.id = int_of(rows, row, 0);
  stored.order = int_of(rows, row, 4);
  if (key_only) return take_stored_key(definition_, key_number, stored, &position_, handle);
  stored.data = PQgetvalue(rows, row, 2);
  stored.length = PQgetlength(rows, row, 2);
  stored.version = int_of(rows, row, 1);
  return take_stored_row(definition_, key_number, stored, &position_, handle);
}

// Each write returns the written record's row for the key the caller used, so it becomes current
// without another round trip. Order columns of keys allowing duplicates take a fresh number when
// the key changes (an insert's is its id), so a group keeps the order its members joined it.
std::string ServerTable::write_sql(int operation, std::size_t key) const {
  const bool duplicates = definition_.keys[key].duplicates;
  const std::string returning = " RETURNING id, version, data, " + key_column(key) + ", " +
                                (duplicates ? order_column(key) : "0::bigint");
  const std::size_t keys = definition_.keys.size();
  if (operation == BTR_INSERT) {
    std::string columns = "id, version, data";
    std::string values = "n.id, 1, $1";
    for (std::size_t k = 0; k < keys; ++k) {
      columns += ", " + key_column(k);
      values += ", $" + std::to_string(k + 2);
      if (definition_.keys[k].duplicates) {
        columns += ", " + order_column(k);
        values += ", n.id";
      }
    }
    return "WITH n AS (SELECT nextval(" + sequence_ + ") AS id) INSERT INTO " + table_ + "(" + columns +
           ") SELECT " + values + " FROM n" + returning;
  }
  if (operation == BTR_UPDATE) {
    std::string assignments = "version = version + 1, data = $1";
    for (std::size_t k = 0; k < keys; ++k) {
      const std::string parameter = "$" + std::to_string(k + 2);
      assignments += ", " + key_column(k) + " = " + parameter;
      if (definition_.keys[k].duplicates) {
        assignments += ", " + order_column(k) + " = CASE WHEN " + key_column(k) + " = " + parameter + " THEN " +
                       order_column(k) + " ELSE nextval(" + sequence_ + ") END";
      }
    }
    return "UPDATE " + table_ + " SET " + assignments + " WHERE id = $" + std::to_string(keys + 2) +
           " AND version = $" + std::to_string(keys + 3) + returning;
  }
  return "DELETE FROM " + table_ + " WHERE id = $1 AND version = $2";
}

int ServerTable::write(int operation, int key_number, btrv_fcb& handle) {
  const auto key = static_cast<std::size_t>(key_number);
  ServerParameters parameters;
  if (operation == BTR_DELETE) {
    parameters.add_int64(position_.id);
    parameters.add_int64(position_.version);
  } else {
    std::string data;
    const int status = record_to_store(definition_, handle, &data);
    if (status != BTR_OK) return status;
    parameters.add_bytes(data);
    for (const std::string& encoded : encoded_keys_of_stored(definition_, data)) parameters.add_bytes(encoded);
    if (operation == BTR_UPDATE) {
      parameters.add_int64(position_.id);
      parameters.add_int64(position_.version);
    }
  }
  const int slot = operation == BTR_INSERT ? 0 : operation == BTR_UPDATE ? 1 : 2;
  const std::string name = "w" + std::to_string(key) + "_" + std::to_string(slot);
  if (!prepared_writes_[key][static_cast<std::size_t>(slot)]) {
    Result made(PQprepare(connection_.get(), name.c_str(), write_sql(operation, key).c_str(), 0, nullptr));
    const int status = status_of(made.get());
    if (status != BTR_OK) return status;
    prepared_writes_[key][static_cast<std::size_t>(slot)] = true;
  }
  const Result rows(PQexecPrepared(connection_.get(), name.c_str(), parameters.count(), parameters.values(),
                                   parameters.lengths(), parameters.formats(), 1));
  const int status = status_of(rows.get());
  if (status != BTR_OK) return status;
  // No row: another user changed or deleted the record since it was read (the row lock made this
  // write wait for that user's transaction, then find another version).
  if (operation == BTR_DELETE) {
    if (std::strcmp(PQcmdTuples(rows.get()), "0") == 0) return BTR_RECORD_CONFLICT;
    // Next and previous still step from the deleted record's keys.
    position_.has_current = false;
    return BTR_OK;
  }
  if (PQntuples(rows.get()) == 0) return BTR_RECORD_CONFLICT;
  // The write itself is committed; only the position could not be refreshed.
  if (take(rows.get(), 0, key_number, handle) != BTR_OK) position_.forget();
  return BTR_OK;
}

int ServerTable::records_in_written_order(std::vector<std::string>* records) {
  end_snapshot();
  if (!connection_usable()) return BTR_IO_ERROR;
  const Result rows(PQexecParams(connection_.get(), ("SELECT data FROM " + table_ + " ORDER BY id").c_str(), 0,
                                 nullptr, nullptr, nullptr, nullptr, 1));
  if (status_of(rows.get()) != BTR_OK) return BTR_IO_ERROR;
  for (int row = 0; row < PQntuples(rows.get()); ++row) {
    records->emplace_back(PQgetvalue(rows.get(), row, 0), static_cast<std::size_t>(PQgetlength(rows.get(), row, 0)));
  }
  return BTR_OK;
}

int ServerTable::check_records(std::string* problem) {
  end_snapshot();
  if (!connection_usable()) return BTR_IO_ERROR;
  std::string sql = "SELECT id, data";
  for (std::size_t key = 0; key < definition_.keys.size(); ++key) sql += ", " + key_column(key);
  const Result rows(PQexecParams(connection_.get(), (sql + " FROM " + table_ + " ORDER BY id").c_str(), 0, nullptr,
                                 nullptr, nullptr, nullptr, 1));
  if (status_of(rows.get()) != BTR_OK) return BTR_IO_ERROR;
  const std::size_t keys = definition_.keys.size();
  std::vector<const char*> stored_keys(keys);
  std::vector<int> stored_lengths(keys);
  for (int row = 0; row < PQntuples(rows.get()); ++row) {
    for (std::size_t key = 0; key < keys; ++key) {
      stored_keys[key] = PQgetvalue(rows.get(), row, 2 + static_cast<int>(key));
      stored_lengths[key] = PQgetlength(rows.get(), row, 2 + static_cast<int>(key));
    }
    *problem = stored_record_problem(definition_, int_of(rows.get(), row, 0), PQgetvalue(rows.get(), row, 1),
                                     PQgetlength(rows.get(), row, 1), stored_keys.data(), stored_lengths.data());
    if (!problem->empty()) return BTR_IO_ERROR;
  }
  return BTR_OK;
}

}  // namespace

int open_server_table(const std::string& data_path, const std::string& file_name,
                      std::unique_ptr<TableConnection>* out) {
  auto table = std::make_unique<ServerTable>(split_server_path(data_path), file_name);
  const int status = table->open();
  if (status == BTR_OK) *out = std::move(table);
  return status;
}

std::string find_server_table(const std::string& data_path, const std::string& file_name) {
  const ServerPath path = split_server_path(data_path);
  const ServerConnection connection = connect_to_server(path.connection_uri);
  if (connection == nullptr) return "";
  ServerParameters name;
  name.add_text(lower_case(file_name));
  const Result found(PQexecParams(connection.get(),
                                  ("SELECT file_name FROM " + quoted_name(connection.get(), path.schema) +
                                   ".qarntash_tables WHERE name = $1::text").c_str(),
                                  1, nullptr, name.values(), name.lengths(), name.formats(), 0));
  if (status_of(found.get()) != BTR_OK || PQntuples(found.get()) != 1) return "";
  return PQgetvalue(found.get(), 0, 0);
}

int create_server_table(const std::string& data_path, const TableDefinition& definition) {
  const std::string name = lower_case(definition.file_name);
  if (name.size() > kLongestServerFileName) return BTR_INVALID_FILE_NAME;
  const ServerPath path = split_server_path(data_path);
  const ServerConnection connection = connect_to_server(path.connection_uri);
  if (connection == nullptr) return BTR_IO_ERROR;
  PGconn* db = connection.get();
  const std::string schema = quoted_name(db, path.schema);
  int status = make_catalogue(db, schema);
  if (status != BTR_OK) return status;
  // One transaction: the table's catalogue row, whose key makes a second maker of the same table
  // wait for the first and then find the name taken, and its records table.
  status = status_of(run_sql(db, "BEGIN").get());
  if (status != BTR_OK) return status;
  ServerParameters header;
  header.add_text(name);
  header.add_text(definition.file_name);
  header.add_text(definition.description);
  header.add_int64(definition.record_length);
  header.add_int64(definition.key_buffer_length);
  header.add_int64(definition.tagged ? 1 : 0);
  header.add_text(kServerTableFormat);
  status = status_of(run_sql(db,
                             "INSERT INTO " + schema +
                                 ".qarntash_tables VALUES($1::text, $2::text, "
                                 "$3::text, $4::bigint::int, $5::bigint::int, $6::bigint <> 0, "
                                 "$7::text)",
                             header)
                         .get());
  if (status == BTR_DUPLICATE_KEY) status = BTR_FILE_EXISTS;
  const std::string table = schema + "." + quoted_name(db, name);
  const std::string sequence = schema + "." + quoted_name(db, name + "#order");
  if (status == BTR_OK) {
    status = status_of(run_sql(db, records_table_sql(db, table, sequence, name, definition)).get());
  }
  for (std::size_t key = 0; key < definition.keys.size() && status == BTR_OK; ++key) {
    const KeyDefinition& k = definition.keys[key];
    for (std::size_t part = 0; part < k.segments.size() && status == BTR_OK; ++part) {
      ServerParameters segment;
      segment.add_text(name);
      for (const std::int64_t value : {static_cast<std::int64_t>(key), static_cast<std::int64_t>(part),
                                       static_cast<std::int64_t>(k.segments[part].offset),
                                       static_cast<std::int64_t>(k.segments[part].length),
                                       static_cast<std::int64_t>(k.segments[part].type),
                                       static_cast<std::int64_t>(k.duplicates ? 1 : 0)}) {
        segment.add_int64(value);
      }
      status = status_of(run_sql(db,
                                 "INSERT INTO " + schema +
                                     ".qarntash_key_segments VALUES($1::text, $2::bigint::int, $3::bigint::int, "
                                     "$4::bigint::int, $5::bigint::int, $6::bigint::int, $7::bigint <> 0)",
                                 segment)
                             .get());
    }
  }
  const int ended = status_of(run_sql(db, status == BTR_OK ? "COMMIT" : "ROLLBACK").get());
  return status == BTR_OK ? ended : status;
}

}  // namespace platform
