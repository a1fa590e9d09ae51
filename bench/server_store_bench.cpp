// Get equal, a walk over 100,000 records and insert through the store on a PostgreSQL server,
// beside the store on a table file and raw libpq running the same queries (keys already encoded).
// The raw walk batches exactly as the store reads ahead: 8 records, doubling to 1,024, inside a
// REPEATABLE READ snapshot renewed at the same bound, a batch never longer than the reads the
// snapshot may still serve. The program starts its own cluster and stops it at the end; it
// connects over loopback TCP (127.0.0.1), or over the cluster's Unix socket when
// QARNTASH_BENCH_SOCKET=1.
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <libpq-fe.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
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
constexpr int kFirstBatch = 8;
constexpr int kBatch = 1024;
// The read snapshot's bound, set on the store and kept by the raw walk.
constexpr int kSnapshotMilliseconds = 50;
constexpr int kSnapshotReads = 10000;

bool over_unix_socket() {
  const char* socket = std::getenv("QARNTASH_BENCH_SOCKET");
  return socket != nullptr && std::strcmp(socket, "1") == 0;
}

// A loopback port nobody listens on now (the kernel's choice for a socket bound to port 0).
int free_loopback_port() {
  const int probe = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  int port = 0;
  if (probe >= 0 && bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
    port = ntohs(address.sin_port);
  }
  if (probe >= 0) close(probe);
  return port;
}

// The cluster, and ROWS.TTL with 100,000 records (numbers 0, 2, 4, ...) on it and in a folder.
struct Data {
  Data() {
    std::filesystem::permissions(folder.path(), std::filesystem::perms::all);
    cluster = folder.string() + "/cluster";
    const int port = over_unix_socket() ? 0 : free_loopback_port();
    const std::string listen = port == 0 ? "" : "QARNTASH_TEST_CLUSTER_PORT=" + std::to_string(port) + " ";
    if (std::system((listen + "bash " QARNTASH_TEST_CLUSTER_SCRIPT " start " + cluster + " >/dev/null").c_str()) != 0) {
      std::fprintf(stderr, "the benchmark's PostgreSQL cluster did not start\n");
      std::exit(1);
    }
    uri = port == 0 ? "postgresql:///postgres?host=" + cluster + "&user=qarntash"
                    : "postgresql://127.0.0.1:" + std::to_string(port) + "/postgres?user=qarntash";
    std::fprintf(stderr, "connecting over %s\n", port == 0 ? "the cluster's Unix socket" : "loopback TCP");
    platform::set_record_store_read_snapshot_bound(kSnapshotMilliseconds, kSnapshotReads);
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

std::string int8_bytes(std::int64_t value) {
  std::string bytes(8, '\0');
  for (int i = 0; i < 8; ++i) {
    bytes[static_cast<std::size_t>(i)] = static_cast<char>((static_cast<std::uint64_t>(value) >> (56 - 8 * i)) & 0xff);
  }
  return bytes;
}

// A read snapshot as the store keeps one: renewed after so many reads or milliseconds.
struct RawSnapshot {
  explicit RawSnapshot(Raw& raw) : raw(raw) { begin(); }
  ~RawSnapshot() { raw.run("ROLLBACK"); }
  void begin() {
    raw.run("BEGIN ISOLATION LEVEL REPEATABLE READ, READ ONLY");
    began = std::chrono::steady_clock::now();
    reads = 1;
  }
  // Counts a read; false (and a fresh snapshot) when the old one may not serve it.
  bool serves_another_read() {
    if (++reads <= kSnapshotReads &&
        std::chrono::steady_clock::now() - began < std::chrono::milliseconds(kSnapshotMilliseconds)) {
      return true;
    }
    raw.run("ROLLBACK");
    begin();
    return false;
  }
  Raw& raw;
  std::chrono::steady_clock::time_point began;
  int reads = 0;
};

void RawBatchedWalk(benchmark::State& state) {
  Raw raw;
  const char* columns = "SELECT id, version, data, k0, 0::bigint FROM bench.\"rows.ttl\"";
  raw.prepare("first", (std::string(columns) + " ORDER BY k0 LIMIT 1").c_str());
  raw.prepare("walk", (std::string(columns) + " WHERE k0 > $1 AND $2::bigint = 0 ORDER BY k0 LIMIT $3").c_str());
  char record[16];
  const std::string order = int8_bytes(0);
  for (auto _ : state) {
    RawSnapshot snapshot(raw);
    PGresult* batch = raw.exec("first", 0, nullptr, nullptr);
    int row = 0;
    int records = 0;
    std::string last;
    for (int next_batch = kFirstBatch; PQntuples(batch) > row;) {
      std::memcpy(record, PQgetvalue(batch, row, 2), 16);
      last.assign(PQgetvalue(batch, row, 3), static_cast<std::size_t>(PQgetlength(batch, row, 3)));
      benchmark::DoNotOptimize(record);
      ++records;
      // The next record: read ahead if the snapshot still holds, else a new batch from the last key.
      if (snapshot.serves_another_read() && row + 1 < PQntuples(batch)) {
        ++row;
        continue;
      }
      PQclear(batch);
      const int size = std::min(next_batch, 1 + std::max(0, kSnapshotReads - snapshot.reads));
      next_batch = std::min(next_batch * 2, kBatch);
      const std::string limit = int8_bytes(size);
      const char* values[3] = {last.data(), order.data(), limit.data()};
      const int lengths[3] = {static_cast<int>(last.size()), 8, 8};
      batch = raw.exec("walk", 3, values, lengths);
      row = 0;
    }
    PQclear(batch);
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
