// The package usage counts: see qarntash/practice_data/usage_counts.h.
//
// The trust and non-resident counts are skip scans over client numbers: each reads the first
// entry after (number, year-1) and, once the entry shows the number's year (or a later one), jumps
// to the next number, so a client is counted once and the entries of other years are stepped over
// rather than read. A number of 2147483647 has no next number: the scan ends there instead of
// wrapping round to negative numbers and starting again.
//
// The personal-tax count gives the same answer from the other side: it walks the individual
// clients in number order with get next on the clients' key 1 (type, number), which holds them
// together, and looks up (number, year) in the client-year entries only for those the practice
// acts for and does not leave out. A step costs a fraction of a seek, so this reads each client
// once and seeks once per counted candidate, where the skip scan seeks once or twice per client
// and again for each client look-up. The look-up asks for the key alone, which the key's index
// answers without reading the entry.
#include "qarntash/practice_data/usage_counts.h"

#include <climits>
#include <cstdint>
#include <vector>

#include "platform/config.h"
#include "platform/practice/clients.h"
#include "platform/practice/practice_table.h"
#include "usage_year.h"

namespace {

constexpr const char* kSourceFile = "PackageUsage";
constexpr std::int32_t kActsForClient = 2;  // status flag that a counted client has
constexpr std::int32_t kNotCounted = 2;     // second flag that leaves a client out
constexpr std::uint8_t kIndividual = 1;      // client type of the personal-tax clients

#pragma pack(push, 1)
struct ClientYearKey {           // zorv2006.ttl key 0
  std::int32_t client_number;
  std::int32_t year;
};
struct TrustKey {                // zorv1370.ttl key 1
  std::int32_t number;
  std::int32_t year;
  std::int16_t part;
  std::int32_t part2;
  std::int32_t part3;
};
struct NonResidentKey {          // zorv7000.ttl key 0
  std::int32_t number;
  std::int32_t sub_number;
  std::int32_t year;
  std::int32_t part2;
  std::int32_t part3;
};
struct ClientReference {         // ZORV1005.TTL key 1
  std::uint8_t type;
  std::int32_t number;
};
#pragma pack(pop)
static_assert(sizeof(ClientYearKey) == 8 && sizeof(TrustKey) == 18 && sizeof(NonResidentKey) == 20 &&
                  sizeof(ClientReference) == 5,
              "usage count keys");

// The table path the count reads, from its own read of the configuration.
struct CountConfiguration {
  CountConfiguration() { config_read_conf010(&conf); }
  TK_CONF conf{};
};

// Years whose year before cannot be written in 32 bits have no entries to count.
bool countable(int year) { return year > INT32_MIN; }

}  // namespace


extern "C" {

int GetPersonalTaxPackageUsageForYear(int year) {
  if (!countable(year)) return 0;
  const CountConfiguration configuration;
  platform::PracticeTable<zorv1005_rec> clients(kSourceFile, configuration.conf.data_path);
  platform::PracticeTable<ZORV2006_REC> client_years(kSourceFile, configuration.conf.data_path);
  if (!client_years.is_open()) return 0;
  // First the candidates, then their look-ups: one table at a time keeps each one's pages and
  // statements hot, where alternating between the two tables measured a sixth slower.
  // Client numbers from 1 on, as the entries are counted; the walk ends with the last individual
  // (or at a failed step, with the candidates found so far).
  std::vector<std::int32_t> candidates;
  const ClientReference first_individual{kIndividual, 1};
  (void)clients.walk(1, first_individual, sizeof first_individual.type, [&](const zorv1005_rec& client) {
    if ((client.status_flags & kActsForClient) != 0 && (client.second_flags & kNotCounted) == 0) {
      candidates.push_back(client.client_number);
    }
  });
  int count = 0;
  for (const std::int32_t number : candidates) {
    const platform::StoreStatus entry = client_years.has_key(0, ClientYearKey{number, year});
    if (!entry.ok() && !entry.not_found()) break;  // a failed look-up ends the count, as a failed step does
    if (entry.ok()) ++count;
  }
  return count;
}

int GetTrustTaxPackageUsageForYear(int year) {
  if (!countable(year)) return 0;
  const CountConfiguration configuration;
  platform::PracticeTable<ZORV1370_REC> trusts(kSourceFile, configuration.conf.data_path);
  int count = 0;
  TrustKey key{1, year - 1, INT16_MAX, INT32_MAX, INT32_MAX};
  for (;;) {
    trusts.set_key(key);
    if (!trusts.read(BTR_GET_GREATER, 1).ok()) break;
    const std::int32_t number = trusts.record().number;
    const std::int32_t entry_year = trusts.record().year;
    if (entry_year == year) ++count;
    key = TrustKey{number, year - 1, INT16_MAX, INT32_MAX, INT32_MAX};
    if (entry_year >= year) {
      if (number == INT32_MAX) break;
      key.number = number + 1;
    }
  }
  return count;
}

int GetNonResidentPackageUsageForYear(int year) {
  if (!countable(year)) return 0;
  const CountConfiguration configuration;
  platform::PracticeTable<ZORV7000_REC> entries(kSourceFile, configuration.conf.data_path);
  int count = 0;
  NonResidentKey key{1, 1, year - 1, INT32_MAX, INT32_MAX};
  for (;;) {
    entries.set_key(key);
    if (!entries.read(BTR_GET_GREATER, 0).ok()) break;
    const ZORV7000_REC& found = entries.record();
    if (found.year == year) {
      ++count;
      if (found.number == INT32_MAX) break;
      key = NonResidentKey{found.number + 1, 1, year - 1, INT32_MAX, INT32_MAX};
    } else if (found.year > year) {
      if (found.sub_number == INT32_MAX) {
        if (found.number == INT32_MAX) break;
        key = NonResidentKey{found.number + 1, 1, year - 1, INT32_MAX, INT32_MAX};
      } else {
        key = NonResidentKey{found.number, found.sub_number + 1, year - 1, INT32_MAX, INT32_MAX};
      }
    } else if (found.year < year - 1) {
      key = NonResidentKey{found.number, found.sub_number, year - 1, INT32_MAX, INT32_MAX};
    } else {
      key = NonResidentKey{found.number, found.sub_number, found.year, found.part2, found.part3};
    }
  }
  return count;
}

int GetPersonalTaxPackageUsage() { return GetPersonalTaxPackageUsageForYear(practice_data_internal::current_usage_year()); }
int GetTrustTaxPackageUsage() { return GetTrustTaxPackageUsageForYear(practice_data_internal::current_usage_year()); }
int GetNonResidentPackageUsage() {
  return GetNonResidentPackageUsageForYear(practice_data_internal::current_usage_year());
}

}  // extern "C"
