// The personal-tax usage count over a generated practice of 100,000 clients (the demo practice
// with generated clients, as `qarntash-host demo-practice DIR --clients 100000` writes it):
//  - through the library (GetPersonalTaxPackageUsageForYear: a walk of the individual clients by
//    get next with a client-year look-up for each one the practice acts for);
//  - as one raw SQLite query over the same two table files (the client-year entries of the year
//    joined to the clients' key 1), the floor for the same answer;
//  - as a walk of every client-year entry by get next through the store, the store's raw step
//    speed over the same table, and the same walk asking for keys alone (get key);
//  - as the count's own store calls made straight on the store's handles (the walk of the
//    individuals, then the look-ups of the key alone), which shows what the count spends beyond
//    the store.
// The trust and non-resident counts are measured through the library beside them.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/config.h"
#include "platform/practice/clients.h"
#include "platform/practice/demo_practice.h"
#include "platform/record_store.h"
#include "qarntash/practice_data/usage_counts.h"
#include "support/temporary_folder.h"

namespace {

constexpr int kYear = 2023;

int practice_size() {
  const char* size = std::getenv("QARNTASH_BENCH_CLIENTS");
  return size != nullptr ? std::atoi(size) : 100000;
}

struct Practice {
  Practice() {
    clients = practice_size();
    if (platform::write_large_demo_practice(folder.string(), clients) != 0) std::abort();
    platform_set_default_data_path(folder.string());
  }
  test_support::TemporaryFolder folder;
  int clients = 0;
};

Practice& practice() {
  static Practice generated;
  return generated;
}

// The 32-bit little-endian integer at `offset` of a record blob.
void le_int32(sqlite3_context* context, int, sqlite3_value** arguments) {
  const auto* bytes = static_cast<const unsigned char*>(sqlite3_value_blob(arguments[0]));
  const int length = sqlite3_value_bytes(arguments[0]);
  const int offset = sqlite3_value_int(arguments[1]);
  if (bytes == nullptr || offset < 0 || offset + 4 > length) return sqlite3_result_null(context);
  std::int32_t value = 0;
  std::memcpy(&value, bytes + offset, sizeof value);
  sqlite3_result_int(context, value);
}

// The clients table's key 1 (type 1, then the number) for a client-year key 0, both in the
// store's encoding: the type byte, then the number's four bytes as key 0 holds them.
void individual_key(sqlite3_context* context, int, sqlite3_value** arguments) {
  const auto* bytes = static_cast<const unsigned char*>(sqlite3_value_blob(arguments[0]));
  if (bytes == nullptr || sqlite3_value_bytes(arguments[0]) < 4) return sqlite3_result_null(context);
  unsigned char key[5] = {1, bytes[0], bytes[1], bytes[2], bytes[3]};
  sqlite3_result_blob(context, key, sizeof key, SQLITE_TRANSIENT);
}

std::string encoded_year(std::int32_t year) {
  const auto bits = static_cast<std::uint32_t>(year) ^ 0x80000000u;
  const char bytes[4] = {static_cast<char>(bits >> 24), static_cast<char>(bits >> 16), static_cast<char>(bits >> 8),
                         static_cast<char>(bits)};
  return std::string(bytes, 4);
}

void BM_PersonalTaxUsage(benchmark::State& state) {
  practice();
  int count = 0;
  for (auto _ : state) benchmark::DoNotOptimize(count = GetPersonalTaxPackageUsageForYear(kYear));
  state.counters["clients"] = practice().clients;
  state.counters["counted"] = count;
}
BENCHMARK(BM_PersonalTaxUsage)->Unit(benchmark::kMillisecond);

void BM_PersonalTaxUsageRawSqlite(benchmark::State& state) {
  const std::string folder = practice().folder.string();
  sqlite3* db = nullptr;
  sqlite3_open_v2(platform::find_table_file(folder, "zorv2006.ttl").c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_create_function(db, "le_int32", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, le_int32, nullptr, nullptr);
  sqlite3_create_function(db, "individual_key", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, individual_key, nullptr,
                          nullptr);
  const std::string attach = "ATTACH '" + platform::find_table_file(folder, "ZORV1005.TTL") + "' AS clients";
  sqlite3_exec(db, attach.c_str(), nullptr, nullptr, nullptr);
  sqlite3_stmt* query = nullptr;
  sqlite3_prepare_v2(db,
                     "SELECT count(*) FROM main.records y JOIN clients.records c ON c.k1 = individual_key(y.k0) "
                     "WHERE substr(y.k0, 5, 4) = ?1 AND (le_int32(c.data, 16) & 2) != 0 "
                     "AND (le_int32(c.data, 20) & 2) = 0",
                     -1, &query, nullptr);
  const std::string year = encoded_year(kYear);
  int count = 0;
  for (auto _ : state) {
    sqlite3_bind_blob(query, 1, year.data(), 4, SQLITE_STATIC);
    if (sqlite3_step(query) == SQLITE_ROW) count = sqlite3_column_int(query, 0);
    sqlite3_reset(query);
    benchmark::DoNotOptimize(count);
  }
  state.counters["counted"] = count;
  sqlite3_finalize(query);
  sqlite3_close(db);
}
BENCHMARK(BM_PersonalTaxUsageRawSqlite)->Unit(benchmark::kMillisecond);

// Walks every client-year entry by get first and get next, each with `extra` added (0, or
// BTR_GET_KEY for keys alone).
void walk_client_years(benchmark::State& state, int extra) {
  const std::string folder = practice().folder.string();
  btrv_fcb* entries = nullptr;
  _btopen(&entries, 0, 0, 10, 8, folder.c_str(), "zorv2006.ttl", kRecordStoreAccessWord, 0, "bench", 0, 1);
  int steps = 0;
  for (auto _ : state) {
    steps = 0;
    for (int status = _bt(BTR_GET_FIRST + extra, entries, 0, "bench", 0, 0); status == BTR_OK;
         status = _bt(BTR_GET_NEXT + extra, entries, 0, "bench", 0, 0)) {
      ++steps;
    }
    benchmark::DoNotOptimize(steps);
  }
  state.counters["entries"] = steps;
  _btclose(&entries, "bench", 0, 1);
}

void BM_ClientYearWalkAtStoreStepSpeed(benchmark::State& state) { walk_client_years(state, 0); }
BENCHMARK(BM_ClientYearWalkAtStoreStepSpeed)->Unit(benchmark::kMillisecond);

void BM_ClientYearKeyWalk(benchmark::State& state) { walk_client_years(state, BTR_GET_KEY); }
BENCHMARK(BM_ClientYearKeyWalk)->Unit(benchmark::kMillisecond);

// The numbers of the individuals the count looks up, by get next on the clients' key 1 from (1, 1).
std::vector<std::int32_t> individuals_acted_for(btrv_fcb* clients, int* steps) {
  std::vector<std::int32_t> numbers;
  const unsigned char first[5] = {1, 1, 0, 0, 0};  // type 1, number 1 (little-endian)
  std::memcpy(clients->key_buffer, first, sizeof first);
  *steps = 0;
  for (int status = _bt(BTR_GET_GREATER_OR_EQUAL, clients, 1, "bench", 0, 0); status == BTR_OK;
       status = _bt(BTR_GET_NEXT, clients, 1, "bench", 0, 0)) {
    zorv1005_rec client{};
    std::memcpy(&client, clients->record_buffer, sizeof client);
    if (client.client_type != 1) break;
    ++*steps;
    if ((client.status_flags & 2) != 0 && (client.second_flags & 2) == 0) numbers.push_back(client.client_number);
  }
  return numbers;
}

void BM_IndividualsWalkAtStoreStepSpeed(benchmark::State& state) {
  const std::string folder = practice().folder.string();
  btrv_fcb* clients = nullptr;
  _btopen(&clients, 0, 0, 0, 0, folder.c_str(), "ZORV1005.TTL", kRecordStoreAccessWord, 0, "bench", 0, 1);
  int steps = 0;
  for (auto _ : state) benchmark::DoNotOptimize(individuals_acted_for(clients, &steps));
  state.counters["steps"] = steps;
  _btclose(&clients, "bench", 0, 1);
}
BENCHMARK(BM_IndividualsWalkAtStoreStepSpeed)->Unit(benchmark::kMillisecond);

void BM_ClientYearLookUpsAtStoreSpeed(benchmark::State& state) {
  const std::string folder = practice().folder.string();
  btrv_fcb* clients = nullptr;
  btrv_fcb* entries = nullptr;
  _btopen(&clients, 0, 0, 0, 0, folder.c_str(), "ZORV1005.TTL", kRecordStoreAccessWord, 0, "bench", 0, 1);
  _btopen(&entries, 0, 0, 10, 8, folder.c_str(), "zorv2006.ttl", kRecordStoreAccessWord, 0, "bench", 0, 1);
  int steps = 0;
  const std::vector<std::int32_t> numbers = individuals_acted_for(clients, &steps);
  int found = 0;
  for (auto _ : state) {
    found = 0;
    for (const std::int32_t number : numbers) {
      const std::int32_t key[2] = {number, kYear};
      std::memcpy(entries->key_buffer, key, sizeof key);
      found += _bt(BTR_GET_EQUAL + BTR_GET_KEY, entries, 0, "bench", 0, 0) == BTR_OK ? 1 : 0;
    }
    benchmark::DoNotOptimize(found);
  }
  state.counters["look-ups"] = static_cast<double>(numbers.size());
  state.counters["counted"] = found;
  _btclose(&entries, "bench", 0, 1);
  _btclose(&clients, "bench", 0, 1);
}
BENCHMARK(BM_ClientYearLookUpsAtStoreSpeed)->Unit(benchmark::kMillisecond);

void BM_TrustUsage(benchmark::State& state) {
  practice();
  for (auto _ : state) benchmark::DoNotOptimize(GetTrustTaxPackageUsageForYear(kYear));
}
BENCHMARK(BM_TrustUsage)->Unit(benchmark::kMillisecond);

void BM_NonResidentUsage(benchmark::State& state) {
  practice();
  for (auto _ : state) benchmark::DoNotOptimize(GetNonResidentPackageUsageForYear(kYear));
}
BENCHMARK(BM_NonResidentUsage)->Unit(benchmark::kMillisecond);

}  // namespace
