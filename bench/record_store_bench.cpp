// Get equal, a get-greater walk over 100,000 records and insert, each through the record store
// and through raw SQLite prepared statements on the same table file. The raw side binds keys
// already in the store's encoding and copies the record out, so the difference is the store's
// own cost: key encoding, position keeping and buffer handling.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/record_store.h"
#include "support/temporary_folder.h"

namespace {

constexpr int kRecords = 100000;

#pragma pack(push, 1)
struct Row {
  std::int32_t number;
  std::int32_t group;
  char name[8];
};
#pragma pack(pop)

platform::TableDefinition row_table(const std::string& file_name) {
  using platform::KeySegmentType;
  return platform::TableDefinition{file_name, "benchmark rows", 16, 8, false,
                                   {{{{0, 4, KeySegmentType::signed_integer}}, false},
                                    {{{4, 4, KeySegmentType::signed_integer}}, true}}};
}

// The store's encoding of a signed 32-bit key: big-endian with the sign bit flipped.
std::string encoded(std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value) ^ 0x80000000u;
  const char bytes[4] = {static_cast<char>(bits >> 24), static_cast<char>(bits >> 16), static_cast<char>(bits >> 8),
                         static_cast<char>(bits)};
  return std::string(bytes, 4);
}

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

struct RawTable {
  explicit RawTable(const std::string& path) {
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
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
  btrv_fcb* table = open_store("ROWS.TTL");
  std::int32_t number = 0;
  for (auto _ : state) {
    std::memcpy(table->key_buffer, &number, 4);
    if (_bt(BTR_GET_EQUAL, table, 0, "bench", 0, 1) != BTR_OK) state.SkipWithError("get equal failed");
    number = (number + 2 * 7919) % (2 * kRecords);
  }
  _btclose(&table, "bench", 0, 1);
}
BENCHMARK(StoreGetEqual);

void RawGetEqual(benchmark::State& state) {
  RawTable raw(data().path("ROWS.TTL"));
  sqlite3_stmt* equal = raw.prepare("SELECT id, data FROM records WHERE k0 = ?1");
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

// Each iteration walks all 100,000 records with get greater from the key the last read left.
void StoreGetGreaterWalk(benchmark::State& state) {
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
BENCHMARK(StoreGetGreaterWalk)->Unit(benchmark::kMillisecond);

void RawGetGreaterWalk(benchmark::State& state) {
  RawTable raw(data().path("ROWS.TTL"));
  sqlite3_stmt* greater = raw.prepare("SELECT id, data FROM records WHERE k0 > ?1 ORDER BY k0 LIMIT 1");
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

// Get next through a group of 10,000 equal keys: the cost of a step must not grow with the group.
void StoreGetNextThroughLargeGroup(benchmark::State& state) {
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
BENCHMARK(StoreGetNextThroughLargeGroup)->Unit(benchmark::kMillisecond);

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
