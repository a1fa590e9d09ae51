// Get equal, walks over 100,000 records and insert, each through the record store and through raw
// SQLite prepared statements on the same table file, with LMDB on the same keys as the floor.
// The raw side binds keys already in the store's encoding and copies the record out, so the
// difference is the store's own cost: key encoding, position keeping and buffer handling.
//
// Store reads run with the read snapshot (/snapshot:1, the default bound) and with a bound of 0
// (/snapshot:0), where each call is its own read transaction; the raw reads run inside one read
// transaction, as the snapshot does.
#include <benchmark/benchmark.h>
#include <lmdb.h>
#include <sqlite3.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/record_store.h"
#include "benchmark_rows.h"
#include "support/temporary_folder.h"

namespace {

using benchmark_rows::encoded;
using benchmark_rows::kRecords;
using benchmark_rows::Row;
using benchmark_rows::row_table;

// One practice folder for the whole run: ROWS.TTL with 100,000 records (numbers 0, 2, 4, ...;
// ten to a group), and two empty tables for the inserts.
struct Data {
  Data() {
    for (const char* name : {"ROWS.TTL", "INSERT_STORE.TTL", "INSERT_RAW.TTL"}) {
      platform::create_table_file(folder.string(), row_table(name));
    }
    std::vector<Row> rows(kRecords);
    for (int i = 0; i < kRecords; ++i) rows[static_cast<std::size_t>(i)] = Row{2 * i, i / 10, {'r'}};
    platform::load_table_records(folder.string(), "ROWS.TTL", rows.data(), kRecords, sizeof(Row));
  }
  std::string path(const char* name) const { return (folder.path() / name).string(); }
  test_support::TemporaryFolder folder;
};

Data& data() {
  static Data instance;
  return instance;
}

btrv_fcb* open_store(const char* name) {
  btrv_fcb* handle = nullptr;
  _btopen(&handle, 0, 0, 16, 8, data().folder.string().c_str(), name, "qelbin", 0, "bench", 0, 1);
  return handle;
}

// Runs the store with the default snapshot bound (snapshot:1) or a bound of 0 for the benchmark's
// life.
class SnapshotChoice {
 public:
  explicit SnapshotChoice(const benchmark::State& state) {
    if (state.range(0) == 0) platform::set_record_store_read_snapshot_bound(0, 0);
  }
  ~SnapshotChoice() { platform::set_record_store_read_snapshot_bound(50, 10000); }
  SnapshotChoice(const SnapshotChoice&) = delete;
  SnapshotChoice& operator=(const SnapshotChoice&) = delete;
};

struct RawTable {
  explicit RawTable(const std::string& path) {
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);  // as the store opens it
    sqlite3_exec(db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
  }
  ~RawTable() {
    for (sqlite3_stmt* statement : statements) sqlite3_finalize(statement);
    sqlite3_close_v2(db);
  }
  sqlite3_stmt* prepare(const char* sql) {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr);
    statements.push_back(statement);
    return statement;
  }
  // Steps once and copies the record out, as a program would.
  static bool read_one(sqlite3_stmt* statement, char* record) {
    const bool found = sqlite3_step(statement) == SQLITE_ROW;
    if (found) std::memcpy(record, sqlite3_column_blob(statement, 1), 16);
    sqlite3_reset(statement);
    return found;
  }
  sqlite3* db = nullptr;
  std::vector<sqlite3_stmt*> statements;
};

void StoreGetEqual(benchmark::State& state) {
  const SnapshotChoice snapshot(state);
  btrv_fcb* table = open_store("ROWS.TTL");
  std::int32_t number = 0;
  for (auto _ : state) {
    std::memcpy(table->key_buffer, &number, 4);
    if (_bt(BTR_GET_EQUAL, table, 0, "bench", 0, 1) != BTR_OK) state.SkipWithError("get equal failed");
    number = (number + 2 * 7919) % (2 * kRecords);
  }
  _btclose(&table, "bench", 0, 1);
}
BENCHMARK(StoreGetEqual)->ArgName("snapshot")->Arg(1)->Arg(0);

void RawGetEqual(benchmark::State& state) {
  RawTable raw(data().path("ROWS.TTL"));
  sqlite3_stmt* equal = raw.prepare("SELECT id, data FROM records WHERE k0 = ?1");
  sqlite3_exec(raw.db, "BEGIN", nullptr, nullptr, nullptr);  // one read transaction for the run
  char record[16];
  std::int32_t number = 0;
  for (auto _ : state) {
    const std::string key = encoded(number);
    sqlite3_bind_blob(equal, 1, key.data(), 4, SQLITE_STATIC);
    if (!RawTable::read_one(equal, record)) state.SkipWithError("raw get equal failed");
    number = (number + 2 * 7919) % (2 * kRecords);
  }
}
BENCHMARK(RawGetEqual);

// Each iteration walks all 100,000 records with get first and get next.
void StoreGetNextWalk(benchmark::State& state) {
  const SnapshotChoice snapshot(state);
  btrv_fcb* table = open_store("ROWS.TTL");
  for (auto _ : state) {
    int found = 0;
    for (int status = _bt(BTR_GET_FIRST, table, 0, "bench", 0, 0); status == BTR_OK;
         status = _bt(BTR_GET_NEXT, table, 0, "bench", 0, 0)) {
      ++found;
    }
    if (found != kRecords) state.SkipWithError("walk missed records");
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
  _btclose(&table, "bench", 0, 1);
}
BENCHMARK(StoreGetNextWalk)->ArgName("snapshot")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// The same walk as one statement stepped row by row inside one read transaction.
void RawStepWalk(benchmark::State& state) {
  RawTable raw(data().path("ROWS.TTL"));
  sqlite3_stmt* all = raw.prepare("SELECT id, data FROM records ORDER BY k0");
  sqlite3_exec(raw.db, "BEGIN", nullptr, nullptr, nullptr);
  char record[16];
  for (auto _ : state) {
    int found = 0;
    while (sqlite3_step(all) == SQLITE_ROW) {
      std::memcpy(record, sqlite3_column_blob(all, 1), 16);
      ++found;
    }
    sqlite3_reset(all);
    benchmark::DoNotOptimize(record);
    if (found != kRecords) state.SkipWithError("walk missed records");
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(RawStepWalk)->Unit(benchmark::kMillisecond);

// The same stepped statement reading what the store must keep of each row to write it back and
// to step on (id, version, record, stored key): the part of the store's cost that is SQLite's.
void RawStepWalkWithPosition(benchmark::State& state) {
  RawTable raw(data().path("ROWS.TTL"));
  sqlite3_stmt* all = raw.prepare("SELECT id, version, data, k0 FROM records WHERE k0 > ?1 ORDER BY k0");
  sqlite3_exec(raw.db, "BEGIN", nullptr, nullptr, nullptr);
  char record[16];
  std::int64_t position[2] = {0, 0};
  char key[4];
  for (auto _ : state) {
    const std::string start = encoded(-1);
    sqlite3_bind_blob(all, 1, start.data(), 4, SQLITE_TRANSIENT);
    int found = 0;
    while (sqlite3_step(all) == SQLITE_ROW) {
      position[0] = sqlite3_column_int64(all, 0);
      position[1] = sqlite3_column_int64(all, 1);
      std::memcpy(record, sqlite3_column_blob(all, 2), static_cast<std::size_t>(sqlite3_column_bytes(all, 2)));
      std::memcpy(key, sqlite3_column_blob(all, 3), static_cast<std::size_t>(sqlite3_column_bytes(all, 3)));
      ++found;
    }
    sqlite3_reset(all);
    benchmark::DoNotOptimize(record);
    benchmark::DoNotOptimize(position);
    benchmark::DoNotOptimize(key);
    if (found != kRecords) state.SkipWithError("walk missed records");
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(RawStepWalkWithPosition)->Unit(benchmark::kMillisecond);

// Each iteration walks all 100,000 records with get greater from the key the last read left.
void StoreGetGreaterWalk(benchmark::State& state) {
  const SnapshotChoice snapshot(state);
  btrv_fcb* table = open_store("ROWS.TTL");
  for (auto _ : state) {
    std::int32_t start = -1;
    std::memcpy(table->key_buffer, &start, 4);
    int found = 0;
    while (_bt(BTR_GET_GREATER, table, 0, "bench", 0, 0) == BTR_OK) ++found;
    if (found != kRecords) state.SkipWithError("walk missed records");
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
  _btclose(&table, "bench", 0, 1);
}
BENCHMARK(StoreGetGreaterWalk)->ArgName("snapshot")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void RawGetGreaterWalk(benchmark::State& state) {
  RawTable raw(data().path("ROWS.TTL"));
  sqlite3_stmt* greater = raw.prepare("SELECT id, data FROM records WHERE k0 > ?1 ORDER BY k0 LIMIT 1");
  sqlite3_exec(raw.db, "BEGIN", nullptr, nullptr, nullptr);
  char record[16];
  for (auto _ : state) {
    std::string key = encoded(-1);
    int found = 0;
    for (;;) {
      sqlite3_bind_blob(greater, 1, key.data(), 4, SQLITE_TRANSIENT);
      if (!RawTable::read_one(greater, record)) break;
      std::int32_t number = 0;
      std::memcpy(&number, record, 4);
      key = encoded(number);
      ++found;
    }
    if (found != kRecords) state.SkipWithError("walk missed records");
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(RawGetGreaterWalk)->Unit(benchmark::kMillisecond);

// The floor: LMDB holding the same records under the same encoded keys, read in one read
// transaction.
class LmdbRows {
 public:
  LmdbRows() {
    std::filesystem::create_directories(folder_);
    mdb_env_create(&env_);
    mdb_env_set_mapsize(env_, std::size_t{256} << 20);
    if (mdb_env_open(env_, folder_.string().c_str(), MDB_NOSYNC, 0644) != 0) return;
    MDB_txn* write = nullptr;
    mdb_txn_begin(env_, nullptr, 0, &write);
    mdb_dbi_open(write, nullptr, 0, &dbi_);
    for (int i = 0; i < kRecords; ++i) {
      const Row row{2 * i, i / 10, {'r'}};
      std::string key = encoded(row.number);
      MDB_val k{key.size(), key.data()};
      MDB_val v{sizeof row, const_cast<Row*>(&row)};
      mdb_put(write, dbi_, &k, &v, 0);
    }
    ready_ = mdb_txn_commit(write) == 0;
  }
  ~LmdbRows() { mdb_env_close(env_); }
  LmdbRows(const LmdbRows&) = delete;
  LmdbRows& operator=(const LmdbRows&) = delete;

  bool ready() const { return ready_; }
  MDB_env* env() const { return env_; }
  MDB_dbi dbi() const { return dbi_; }

 private:
  std::filesystem::path folder_ = data().folder.path() / "lmdb";
  MDB_env* env_ = nullptr;
  MDB_dbi dbi_ = 0;
  bool ready_ = false;
};

LmdbRows& lmdb_rows() {
  static LmdbRows instance;
  return instance;
}

void LmdbGetEqual(benchmark::State& state) {
  LmdbRows& rows = lmdb_rows();
  if (!rows.ready()) return state.SkipWithError("no LMDB environment");
  MDB_txn* read = nullptr;
  mdb_txn_begin(rows.env(), nullptr, MDB_RDONLY, &read);
  char record[16];
  std::int32_t number = 0;
  for (auto _ : state) {
    std::string key = encoded(number);
    MDB_val k{key.size(), key.data()};
    MDB_val v{};
    if (mdb_get(read, rows.dbi(), &k, &v) != 0) state.SkipWithError("LMDB get failed");
    std::memcpy(record, v.mv_data, 16);
    benchmark::DoNotOptimize(record);
    number = (number + 2 * 7919) % (2 * kRecords);
  }
  mdb_txn_abort(read);
}
BENCHMARK(LmdbGetEqual);

void LmdbCursorWalk(benchmark::State& state) {
  LmdbRows& rows = lmdb_rows();
  if (!rows.ready()) return state.SkipWithError("no LMDB environment");
  MDB_txn* read = nullptr;
  mdb_txn_begin(rows.env(), nullptr, MDB_RDONLY, &read);
  MDB_cursor* cursor = nullptr;
  mdb_cursor_open(read, rows.dbi(), &cursor);
  char record[16];
  for (auto _ : state) {
    int found = 0;
    MDB_val k{};
    MDB_val v{};
    for (int rc = mdb_cursor_get(cursor, &k, &v, MDB_FIRST); rc == 0; rc = mdb_cursor_get(cursor, &k, &v, MDB_NEXT)) {
      std::memcpy(record, v.mv_data, 16);
      ++found;
    }
    benchmark::DoNotOptimize(record);
    if (found != kRecords) state.SkipWithError("walk missed records");
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
  mdb_cursor_close(cursor);
  mdb_txn_abort(read);
}
BENCHMARK(LmdbCursorWalk)->Unit(benchmark::kMillisecond);

// Get next through a group of 10,000 equal keys: the cost of a step must not grow with the group.
void StoreGetNextThroughLargeGroup(benchmark::State& state) {
  const SnapshotChoice snapshot(state);
  static const bool made = [] {
    platform::create_table_file(data().folder.string(), row_table("GROUP.TTL"));
    std::vector<Row> rows(10000);
    for (int i = 0; i < 10000; ++i) rows[static_cast<std::size_t>(i)] = Row{i, 5, {'g'}};
    return platform::load_table_records(data().folder.string(), "GROUP.TTL", rows.data(), 10000, sizeof(Row)) == 0;
  }();
  if (!made) state.SkipWithError("could not make the group");
  btrv_fcb* table = open_store("GROUP.TTL");
  for (auto _ : state) {
    std::int32_t group = 5;
    std::memcpy(table->key_buffer, &group, 4);
    int found = _bt(BTR_GET_EQUAL, table, 1, "bench", 0, 0) == BTR_OK ? 1 : 0;
    while (_bt(BTR_GET_NEXT, table, 1, "bench", 0, 0) == BTR_OK) ++found;
    if (found != 10000) state.SkipWithError("walk missed records");
  }
  state.SetItemsProcessed(state.iterations() * 10000);
  _btclose(&table, "bench", 0, 1);
}
BENCHMARK(StoreGetNextThroughLargeGroup)->ArgName("snapshot")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void StoreInsert(benchmark::State& state) {
  btrv_fcb* table = open_store("INSERT_STORE.TTL");
  static std::int32_t number = 0;  // the benchmark runs this more than once: keep the keys new
  for (auto _ : state) {
    const Row row{number, number / 10, {'i'}};
    std::memcpy(table->record_buffer, &row, sizeof row);
    if (_bt(BTR_INSERT, table, 0, "bench", 0, 1) != BTR_OK) state.SkipWithError("insert failed");
    ++number;
  }
  _btclose(&table, "bench", 0, 1);
}
BENCHMARK(StoreInsert);

void RawInsert(benchmark::State& state) {
  RawTable raw(data().path("INSERT_RAW.TTL"));
  sqlite3_stmt* insert = raw.prepare("INSERT INTO records(version, data, k0, k1) VALUES(1, ?1, ?2, ?3)");
  static std::int32_t number = 0;
  for (auto _ : state) {
    const Row row{number, number / 10, {'i'}};
    const std::string k0 = encoded(row.number);
    const std::string k1 = encoded(row.group);
    sqlite3_bind_blob(insert, 1, &row, sizeof row, SQLITE_STATIC);
    sqlite3_bind_blob(insert, 2, k0.data(), 4, SQLITE_STATIC);
    sqlite3_bind_blob(insert, 3, k1.data(), 4, SQLITE_STATIC);
    if (sqlite3_step(insert) != SQLITE_DONE) state.SkipWithError("raw insert failed");
    sqlite3_reset(insert);
    ++number;
  }
}
BENCHMARK(RawInsert);

}  // namespace
