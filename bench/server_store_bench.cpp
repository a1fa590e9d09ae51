// Get equal, a walk over 100,000 records and insert through the store on a PostgreSQL server,
// beside the store on a table file and raw libpq running the same queries (keys already encoded,
// reads inside one REPEATABLE READ transaction, walks in batches of up to 1,024 records, as the
// store reads ahead). The program starts its own cluster on a Unix socket and stops it at the end.
#include <benchmark/benchmark.h>
#include <libpq-fe.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
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
constexpr int kBatch = 1024;

// The cluster, and ROWS.TTL with 100,000 records (numbers 0, 2, 4, ...) on it and in a folder.
struct Data {
  Data() {
    std::filesystem::permissions(folder.path(), std::filesystem::perms::all);
    cluster = folder.string() + "/cluster";
    if (std::system(("bash " QARNTASH_TEST_CLUSTER_SCRIPT " start " + cluster + " >/dev/null").c_str()) != 0) {
      std::fprintf(stderr, "the benchmark's PostgreSQL cluster did not start\n");
      std::exit(1);
    }
    uri = "postgresql:///postgres?host=" + cluster + "&user=qarntash";
    server = uri + "#bench";
    files = folder.string() + "/files";
    std::filesystem::create_directories(files);
    std::vector<Row> rows(kRecords);
    for (int i = 0; i < kRecords; ++i) rows[static_cast<std::size_t>(i)] = Row{2 * i, i / 10, {'r'}};
    for (const std::string& path : {server, files}) {
      for (const char* name : {"ROWS.TTL", "INSERT_STORE.TTL", "INSERT_RAW.TTL"}) {
        platform::create_table_file(path, row_table(name));
      }
      platform::load_table_records(path, "ROWS.TTL", rows.data(), kRecords, sizeof(Row));
    }
  }
  ~Data() { std::system(("bash " QARNTASH_TEST_CLUSTER_SCRIPT " stop " + cluster + " >/dev/null").c_str()); }
  test_support::TemporaryFolder folder;
  std::string cluster, uri, server, files;
};

Data& data() {
  static Data instance;
  return instance;
}

const std::string& path_of(const benchmark::State& state) {
  return state.range(0) == 1 ? data().server : data().files;
}

btrv_fcb* open_store(const std::string& path, const char* name) {
  btrv_fcb* handle = nullptr;
  _btopen(&handle, 0, 0, 16, 8, path.c_str(), name, "qelbin", 0, "bench", 0, 1);
  return handle;
}

void StoreGetEqual(benchmark::State& state) {
  btrv_fcb* handle = open_store(path_of(state), "ROWS.TTL");
  std::int32_t key = 0;
  for (auto _ : state) {
    std::memcpy(handle->key_buffer, &key, sizeof key);
    benchmark::DoNotOptimize(_bt(BTR_GET_EQUAL, handle, 0, "bench", 0, 0));
    key = (key + 2 * 7919) % (2 * kRecords);
  }
  _btclose(&handle, "bench", 0, 0);
}
BENCHMARK(StoreGetEqual)->ArgName("server")->Arg(0)->Arg(1);

void StoreWalk(benchmark::State& state) {
  btrv_fcb* handle = open_store(path_of(state), "ROWS.TTL");
  for (auto _ : state) {
    int records = 0;
    for (int status = _bt(BTR_GET_FIRST, handle, 0, "bench", 0, 0); status == BTR_OK;
         status = _bt(BTR_GET_NEXT, handle, 0, "bench", 0, 0)) {
      ++records;
    }
    if (records != kRecords) state.SkipWithError("the walk missed records");
  }
  _btclose(&handle, "bench", 0, 0);
}
BENCHMARK(StoreWalk)->ArgName("server")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void StoreInsert(benchmark::State& state) {
  btrv_fcb* handle = open_store(path_of(state), "INSERT_STORE.TTL");
  std::int32_t number = state.range(0) == 1 ? 0 : 1 << 24;
  for (auto _ : state) {
    const Row r{number++, 0, {'i'}};
    std::memcpy(handle->record_buffer, &r, sizeof r);
    benchmark::DoNotOptimize(_bt(BTR_INSERT, handle, 0, "bench", 0, 0));
  }
  _btclose(&handle, "bench", 0, 0);
}
BENCHMARK(StoreInsert)->ArgName("server")->Arg(0)->Arg(1);

// Raw libpq on the same server tables.
struct Raw {
  Raw() : connection(PQconnectdb(data().uri.c_str())) {}
  ~Raw() { PQfinish(connection); }
  void run(const char* sql) { PQclear(PQexec(connection, sql)); }
  void prepare(const char* name, const char* sql) { PQclear(PQprepare(connection, name, sql, 0, nullptr)); }
  PGresult* exec(const char* name, int count, const char* const* values, const int* lengths) {
    static const int formats[4] = {1, 1, 1, 1};
    return PQexecPrepared(connection, name, count, values, lengths, formats, 1);
  }
  PGconn* connection;
};

void RawGetEqual(benchmark::State& state) {
  Raw raw;
  raw.prepare("eq", "SELECT id, version, data, k0 FROM bench.\"rows.ttl\" WHERE k0 = $1 ORDER BY k0 LIMIT 1");
  raw.run("BEGIN ISOLATION LEVEL REPEATABLE READ, READ ONLY");
  std::int32_t key = 0;
  char record[16];
  for (auto _ : state) {
    const std::string k = encoded(key);
    const char* values[1] = {k.data()};
    const int lengths[1] = {4};
    PGresult* result = raw.exec("eq", 1, values, lengths);
    if (PQntuples(result) == 1) std::memcpy(record, PQgetvalue(result, 0, 2), 16);
    PQclear(result);
    benchmark::DoNotOptimize(record);
    key = (key + 2 * 7919) % (2 * kRecords);
  }
  raw.run("ROLLBACK");
}
BENCHMARK(RawGetEqual);

void RawBatchedWalk(benchmark::State& state) {
  Raw raw;
  raw.prepare("walk", "SELECT id, version, data, k0 FROM bench.\"rows.ttl\" WHERE k0 > $1 ORDER BY k0 LIMIT $2");
  char record[16];
  for (auto _ : state) {
    raw.run("BEGIN ISOLATION LEVEL REPEATABLE READ, READ ONLY");
    std::string last(4, '\0');  // below every key
    int records = 0;
    for (int batch = 8;; batch = std::min(batch * 2, kBatch)) {
      std::string limit(8, '\0');
      for (int i = 0; i < 8; ++i) limit[static_cast<std::size_t>(i)] = static_cast<char>((std::uint64_t(batch) >> (56 - 8 * i)) & 0xff);
      const char* values[2] = {last.data(), limit.data()};
      const int lengths[2] = {static_cast<int>(last.size()), 8};
      PGresult* result = raw.exec("walk", 2, values, lengths);
      const int rows = PQntuples(result);
      for (int row = 0; row < rows; ++row) std::memcpy(record, PQgetvalue(result, row, 2), 16);
      if (rows > 0) last.assign(PQgetvalue(result, rows - 1, 3), static_cast<std::size_t>(PQgetlength(result, rows - 1, 3)));
      records += rows;
      PQclear(result);
      benchmark::DoNotOptimize(record);
      if (rows == 0) break;
    }
    raw.run("ROLLBACK");
    if (records != kRecords) state.SkipWithError("the walk missed records");
  }
}
BENCHMARK(RawBatchedWalk)->Unit(benchmark::kMillisecond);

void RawInsert(benchmark::State& state) {
  Raw raw;
  raw.prepare("ins", "INSERT INTO bench.\"insert_raw.ttl\"(id, version, data, k0, k1, o1) "
                     "SELECT n.id, 1, $1, $2, $3, n.id FROM (SELECT nextval('bench.\"insert_raw.ttl#order\"') AS id) n");
  std::int32_t number = 0;
  for (auto _ : state) {
    const Row r{number++, 0, {'i'}};
    const std::string bytes(reinterpret_cast<const char*>(&r), sizeof r);
    const std::string k0 = encoded(r.number);
    const std::string k1 = encoded(r.group);
    const char* values[3] = {bytes.data(), k0.data(), k1.data()};
    const int lengths[3] = {16, 4, 4};
    PQclear(raw.exec("ins", 3, values, lengths));
  }
}
BENCHMARK(RawInsert);

}  // namespace
