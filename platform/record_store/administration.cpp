// What a practice's set-up program does with table files: make them from a definition, find
// them by name, check them and load records.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <ctime>
#include <cstdint>
#include <cstring>
#include <cctype>
#include <filesystem>
#include <memory>
#include <system_error>
#include <utility>

#if defined(_WIN32)
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "platform/record_store.h"
#include "sqlite_handles.h"
#include "store_report.h"
#include "store_settings.h"
#include "server_table.h"
#include "table_connection.h"

namespace platform {

namespace {

std::atomic<int> g_busy_timeout_ms{5000};
std::atomic<int> g_snapshot_ms{50};
std::atomic<int> g_snapshot_reads{10000};
std::atomic<std::uint64_t> g_writes_in_process{0};

std::filesystem::path folder_of(const std::string& data_path) {
  return data_path.empty() ? std::filesystem::path(".") : std::filesystem::path(data_path);
}

bool is_integer(KeySegmentType type) {
  return type == KeySegmentType::signed_integer || type == KeySegmentType::unsigned_integer;
}

std::string records_table_sql(const TableDefinition& definition) {
  std::string sql = "CREATE TABLE records(id INTEGER PRIMARY KEY AUTOINCREMENT, version INTEGER NOT NULL, "
                    "data BLOB NOT NULL";
  for (std::size_t key = 0; key < definition.keys.size(); ++key) {
    sql += ", k" + std::to_string(key) + " BLOB NOT NULL";
    if (definition.keys[key].duplicates) sql += ", o" + std::to_string(key) + " INTEGER";
  }
  return sql + ");\n";
}

// Indexes, and the triggers that keep each group of equal keys in the order its members joined.
std::string index_and_trigger_sql(const TableDefinition& definition) {
  std::string sql;
  std::string orders_on_insert;
  for (std::size_t key = 0; key < definition.keys.size(); ++key) {
    const std::string n = std::to_string(key);
    if (!definition.keys[key].duplicates) {
      sql += "CREATE UNIQUE INDEX key" + n + " ON records(k" + n + ");\n";
      continue;
    }
    sql += "CREATE INDEX key" + n + " ON records(k" + n + ", o" + n + ");\n";
    orders_on_insert += std::string(orders_on_insert.empty() ? "" : ", ") + "o" + n + " = NEW.id";
    sql += "CREATE TRIGGER order_of_key" + n + " AFTER UPDATE OF k" + n + " ON records WHEN OLD.k" + n +
           " IS NOT NEW.k" + n +
           " BEGIN UPDATE sqlite_sequence SET seq = seq + 1 WHERE name = 'records'; "
           "UPDATE records SET o" + n + " = (SELECT seq FROM sqlite_sequence WHERE name = 'records') "
           "WHERE id = NEW.id; END;\n";
  }
  if (!orders_on_insert.empty()) {
    sql += "CREATE TRIGGER order_on_insert AFTER INSERT ON records BEGIN UPDATE records SET " + orders_on_insert +
           " WHERE id = NEW.id; END;\n";
  }
  return sql;
}

long current_process_id() {
#if defined(_WIN32)
  return static_cast<long>(GetCurrentProcessId());
#else
  return static_cast<long>(getpid());
#endif
}

// A name part no other maker uses at the same moment: this process, and a count within it.
std::string unique_suffix() {
  static std::atomic<unsigned> made{0};
  return std::to_string(current_process_id()) + "-" + std::to_string(made++);
}

// A database file with the journal files SQLite may have left beside it.
void remove_database_files(const std::filesystem::path& path) {
  std::error_code error;
  for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
    std::filesystem::remove(path.string() + suffix, error);
  }
}

// Gives the finished file at `building` its table name, unless a table of that name exists.
int publish(const std::filesystem::path& building, const std::filesystem::path& final_path,
            const std::string& data_path, const std::string& file_name) {
  // Another case of the name is the same table (as on Windows), which a link cannot see.
  if (!find_table_file(data_path, file_name).empty()) return BTR_FILE_EXISTS;
  std::error_code error;
  std::filesystem::create_hard_link(building, final_path, error);
  if (!error) return BTR_OK;
  if (error == std::errc::file_exists) return BTR_FILE_EXISTS;
  // A folder without hard links: rename, after one more look for the name.
  if (std::filesystem::exists(final_path, error)) return BTR_FILE_EXISTS;
  std::filesystem::rename(building, final_path, error);
  return error ? BTR_IO_ERROR : BTR_OK;
}

int write_definition(Connection& db, const TableDefinition& definition) {
  Statement header;
  int rc = db.prepare("INSERT INTO table_definition VALUES(?1, ?2, ?3, ?4, ?5, ?6)", &header);
  if (rc != SQLITE_OK) return rc;
  {
    StatementUse use(header.get());
    sqlite3_bind_text(header.get(), 1, kTableFileFormat, -1, SQLITE_STATIC);
    sqlite3_bind_text(header.get(), 2, definition.file_name.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(header.get(), 3, definition.description.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(header.get(), 4, definition.record_length);
    sqlite3_bind_int(header.get(), 5, definition.key_buffer_length);
    sqlite3_bind_int(header.get(), 6, definition.tagged ? 1 : 0);
    rc = sqlite3_step(header.get());
    if (rc != SQLITE_DONE) return rc;
  }
  Statement segment;
  rc = db.prepare("INSERT INTO key_segments VALUES(?1, ?2, ?3, ?4, ?5, ?6)", &segment);
  if (rc != SQLITE_OK) return rc;
  for (std::size_t key = 0; key < definition.keys.size(); ++key) {
    const KeyDefinition& k = definition.keys[key];
    for (std::size_t part = 0; part < k.segments.size(); ++part) {
      StatementUse use(segment.get());
      sqlite3_bind_int(segment.get(), 1, static_cast<int>(key));
      sqlite3_bind_int(segment.get(), 2, static_cast<int>(part));
      sqlite3_bind_int(segment.get(), 3, k.segments[part].offset);
      sqlite3_bind_int(segment.get(), 4, k.segments[part].length);
      sqlite3_bind_int(segment.get(), 5, static_cast<int>(k.segments[part].type));
      sqlite3_bind_int(segment.get(), 6, k.duplicates ? 1 : 0);
      rc = sqlite3_step(segment.get());
      if (rc != SQLITE_DONE) return rc;
    }
  }
  return SQLITE_OK;
}

int build_table_file(const std::string& path, const TableDefinition& definition) {
  Connection db;
  int rc = db.open(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  if (rc != SQLITE_OK) return rc;
  rc = db.execute("PRAGMA journal_mode=WAL");
  if (rc != SQLITE_OK) return rc;
  rc = db.execute("BEGIN IMMEDIATE");
  if (rc != SQLITE_OK) return rc;
  const std::string schema =
      "CREATE TABLE table_definition(format TEXT NOT NULL, file_name TEXT NOT NULL, description TEXT, "
      "record_length INTEGER NOT NULL, key_buffer_length INTEGER NOT NULL, tagged INTEGER NOT NULL);\n"
      "CREATE TABLE key_segments(key_number INTEGER NOT NULL, segment_number INTEGER NOT NULL, "
      "offset INTEGER NOT NULL, length INTEGER NOT NULL, type INTEGER NOT NULL, duplicates INTEGER NOT NULL, "
      "PRIMARY KEY(key_number, segment_number));\n" +
      records_table_sql(definition) + index_and_trigger_sql(definition);
  rc = db.execute(schema.c_str());
  if (rc == SQLITE_OK) rc = write_definition(db, definition);
  if (rc != SQLITE_OK) {
    db.execute("ROLLBACK");
    return rc;
  }
  return db.execute("COMMIT");
}

}  // namespace

int KeyDefinition::length() const {
  int total = 0;
  for (const KeySegment& segment : segments) total += segment.length;
  return total;
}

std::string definition_problem(const TableDefinition& definition) {
  if (definition.file_name.empty()) return "no file name";
  if (definition.record_length <= 0 || definition.record_length > kRecordStoreMaxRecordLength) {
    return "record length must be from 1 to " + std::to_string(kRecordStoreMaxRecordLength);
  }
  if (definition.key_buffer_length <= 0 || definition.key_buffer_length > kRecordStoreMaxKeyLength) {
    return "key buffer length must be from 1 to " + std::to_string(kRecordStoreMaxKeyLength);
  }
  if (definition.keys.empty()) return "a table needs at least one key";
  if (definition.tagged && definition.key_buffer_length > definition.record_length) {
    return "the key fields of a tagged record must fit in the record";
  }
  for (std::size_t key = 0; key < definition.keys.size(); ++key) {
    const KeyDefinition& k = definition.keys[key];
    const std::string name = "key " + std::to_string(key);
    if (k.segments.empty()) return name + " has no segments";
    // Summed and compared without overflow: a definition read from a damaged file may hold any numbers.
    std::int64_t key_length = 0;
    for (const KeySegment& segment : k.segments) key_length += segment.length;
    if (key_length > definition.key_buffer_length) return name + " is longer than the key buffer";
    for (const KeySegment& segment : k.segments) {
      if (segment.offset < 0 || segment.length <= 0 || segment.length > definition.record_length - segment.offset) {
        return name + " has a segment outside the record";
      }
      if (definition.tagged && segment.length > definition.key_buffer_length - segment.offset) {
        return name + " has a segment among the tagged fields";
      }
      if (is_integer(segment.type) && segment.length != 1 && segment.length != 2 && segment.length != 4 &&
          segment.length != 8) {
        return name + " has an integer segment that is not 1, 2, 4 or 8 bytes";
      }
    }
  }
  return "";
}

bool is_server_data_path(const std::string& data_path) {
  return data_path.rfind("postgresql://", 0) == 0 || data_path.rfind("postgres://", 0) == 0;
}

int open_table_connection(const std::string& data_path, const std::string& file_name,
                          std::unique_ptr<TableConnection>* out) {
  if (is_server_data_path(data_path)) return open_server_table(data_path, file_name, out);
  const std::string path = find_table_file(data_path, file_name);
  if (path.empty()) return BTR_FILE_NOT_FOUND;
  std::unique_ptr<SqliteTableConnection> table;
  const int status = SqliteTableConnection::open(path, &table);
  if (status == BTR_OK) *out = std::move(table);
  return status;
}

std::string find_table_file(const std::string& data_path, const std::string& file_name) {
  if (file_name.empty()) return "";
  if (is_server_data_path(data_path)) return find_server_table(data_path, file_name);
  const std::filesystem::path folder = folder_of(data_path);
  std::error_code error;
  const std::filesystem::path exact = folder / file_name;
  if (std::filesystem::is_regular_file(exact, error)) return exact.string();
  // As on Windows, "zorv1005.ttl" names the file "ZORV1005.TTL".
  for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    if (same_file_name(entry->path().filename().string(), file_name) && entry->is_regular_file(error)) {
      return entry->path().string();
    }
  }
  return "";
}

int create_table_file(const std::string& data_path, const TableDefinition& definition) {
  if (!definition_problem(definition).empty()) return BTR_INVALID_FILE_NAME;
  if (is_server_data_path(data_path)) return create_server_table(data_path, definition);
  if (!find_table_file(data_path, definition.file_name).empty()) return BTR_FILE_EXISTS;
  const std::filesystem::path folder = folder_of(data_path);
  const std::filesystem::path final_path = folder / definition.file_name;
  // Built under a name of this maker's own (two set-up programs may make one table at the same
  // moment) and published only whole, by a link that fails when the table's name is taken.
  const std::filesystem::path building = folder / (definition.file_name + "." + unique_suffix() + ".building");
  const int rc = build_table_file(building.string(), definition);
  if (rc != SQLITE_OK) {
    remove_database_files(building);
    return status_from_sqlite(rc) == BTR_OK ? BTR_IO_ERROR : status_from_sqlite(rc);
  }
  const int status = publish(building, final_path, data_path, definition.file_name);
  remove_database_files(building);
  return status;
}

int read_table_definition(const std::string& path, TableDefinition* definition) {
  std::unique_ptr<SqliteTableConnection> table;
  const int status = SqliteTableConnection::open(path, &table);
  if (status == BTR_OK && definition != nullptr) *definition = table->definition();
  return status;
}

int check_table_file(const std::string& data_path, const std::string& file_name) {
  std::unique_ptr<TableConnection> table;
  int status = open_table_connection(data_path, file_name, &table);
  if (status != BTR_OK) return status;
  std::string problem;
  status = table->check_records(&problem);
  if (status != BTR_OK) {
    report_store_problem(file_name, status, problem.empty() ? "the records cannot be read" : problem);
    return status;
  }
  // The server checks its own pages; a table file gets SQLite's integrity check too.
  if (is_server_data_path(data_path)) return BTR_OK;
  const std::string path = find_table_file(data_path, file_name);
  Connection db;
  if (db.open(path, SQLITE_OPEN_READONLY) != SQLITE_OK) return BTR_IO_ERROR;
  Statement check;
  if (db.prepare("PRAGMA integrity_check", &check) != SQLITE_OK) return BTR_IO_ERROR;
  StatementUse use(check.get());
  if (sqlite3_step(check.get()) != SQLITE_ROW) return BTR_IO_ERROR;
  const auto* verdict = reinterpret_cast<const char*>(sqlite3_column_text(check.get(), 0));
  return verdict != nullptr && std::string(verdict) == "ok" ? BTR_OK : BTR_IO_ERROR;
}

int insert_table_record(const std::string& data_path, const std::string& file_name, const void* record,
                        int length) {
  btrv_fcb* handle = nullptr;
  int status = _btopen(&handle, 0, 0, 0, 0, data_path.c_str(), file_name.c_str(), kRecordStoreAccessWord, 0,
                       __FILE__, __LINE__, 0);
  if (status != BTR_OK) return status;
  if (length < 0 || length > handle->record_length || (length > 0 && record == nullptr)) {
    status = BTR_DATA_BUFFER_TOO_SHORT;
  } else {
    if (length > 0) std::memcpy(handle->record_buffer, record, static_cast<std::size_t>(length));
    status = _bt(BTR_INSERT, handle, 0, __FILE__, __LINE__, 0);
  }
  _btclose(&handle, __FILE__, __LINE__, 0);
  return status;
}

int load_table_records(const std::string& data_path, const std::string& file_name, const void* records, int count,
                       int record_length) {
  if (count < 0 || record_length < 0 || (count > 0 && records == nullptr)) return BTR_INVALID_OPERATION;
  btrv_fcb* handle = nullptr;
  int status = _btopen(&handle, 0, 0, 0, 0, data_path.c_str(), file_name.c_str(), kRecordStoreAccessWord, 0,
                       __FILE__, __LINE__, 0);
  if (status != BTR_OK) return status;
  if (record_length > handle->record_length) status = BTR_DATA_BUFFER_TOO_SHORT;
  if (status == BTR_OK) status = handle->connection->begin_writes();
  if (status == BTR_OK) {
    const auto* bytes = static_cast<const char*>(records);
    for (int i = 0; i < count && status == BTR_OK; ++i) {
      std::memset(handle->record_buffer, 0, static_cast<std::size_t>(handle->record_length));
      std::memcpy(handle->record_buffer, bytes + static_cast<std::size_t>(i) * static_cast<std::size_t>(record_length),
                  static_cast<std::size_t>(record_length));
      status = _bt(BTR_INSERT, handle, 0, __FILE__, __LINE__, 0);
    }
    const int ended = handle->connection->end_writes(status == BTR_OK);
    if (status == BTR_OK) status = ended;
  }
  _btclose(&handle, __FILE__, __LINE__, 0);
  return status;
}

void set_record_store_busy_timeout(int milliseconds) { g_busy_timeout_ms = milliseconds < 0 ? 0 : milliseconds; }

int record_store_busy_timeout() { return g_busy_timeout_ms; }

void set_record_store_read_snapshot_bound(int milliseconds, int reads) {
  g_snapshot_ms = milliseconds < 0 ? 0 : milliseconds;
  g_snapshot_reads = reads < 0 ? 0 : reads;
}

ReadSnapshotBound record_store_read_snapshot_bound() { return {g_snapshot_ms, g_snapshot_reads}; }

std::uint64_t record_store_writes_in_process() { return g_writes_in_process.load(std::memory_order_acquire); }

void count_record_store_write() { g_writes_in_process.fetch_add(1, std::memory_order_release); }

namespace {

// A monotonic clock in milliseconds, read at every read of a snapshot: the coarse clock where
// there is one, as a few milliseconds' resolution is plenty for the bound and it costs far less.
std::int64_t milliseconds_now() {
#if defined(CLOCK_MONOTONIC_COARSE)
  timespec now{};
  if (clock_gettime(CLOCK_MONOTONIC_COARSE, &now) == 0) return std::int64_t{now.tv_sec} * 1000 + now.tv_nsec / 1000000;
#endif
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

void SnapshotAge::start() {
  began_ms_ = milliseconds_now();
  reads_ = 1;
  writes_seen_ = record_store_writes_in_process();
}

bool SnapshotAge::serves_another_read() {
  const ReadSnapshotBound bound = record_store_read_snapshot_bound();
  return ++reads_ <= bound.reads && record_store_writes_in_process() == writes_seen_ &&
         milliseconds_now() - began_ms_ < bound.milliseconds;
}

int SnapshotAge::reads_left() const {
  return std::max(0, record_store_read_snapshot_bound().reads - reads_);
}

bool same_file_name(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

}  // namespace platform
