#include "qarntash/practice_data/usage_counts.h"

#include <climits>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <set>
#include <utility>

#include <gtest/gtest.h>

#include "platform/dates.h"
#include "platform/practice/demo_practice.h"
#include "platform/practice/practice_table.h"
#include "platform/store_faults.h"
#include "support/demo_practice_fixture.h"
#include "support/environment.h"
#include "support/practice_folder.h"
#include "support/temporary_folder.h"
#include "usage_year.h"

namespace {

class UsageCounts : public test_support::DemoPracticeTest {};

TEST_F(UsageCounts, CountEachClientOnceInTheDemoPractice) {
  // 2023: Smith and Jones (Patel is left out of the counts, Evans is no longer a client; Smith and
  // Patel have 2024 entries too); the two trusts (Hart twice); non-residents Jones (three
  // sub-numbers) and Patel.
  const struct { int year, personal, trust, non_resident; } cases[] = {
      {2021, 1, 0, 0}, {2022, 2, 2, 2}, {2023, 2, 2, 2}, {2024, 1, 0, 1}, {2025, 0, 0, 0}, {INT_MIN, 0, 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GetPersonalTaxPackageUsageForYear(c.year), c.personal) << c.year;
    EXPECT_EQ(GetTrustTaxPackageUsageForYear(c.year), c.trust) << c.year;
    EXPECT_EQ(GetNonResidentPackageUsageForYear(c.year), c.non_resident) << c.year;
  }
}

TEST(UsageYear, ChangesOnTheFirstOfApril) {
  const struct { int day, month, year, usage_year; } cases[] = {
      {1, 4, 2024, 2024}, {31, 3, 2024, 2023}, {5, 4, 2024, 2024}, {1, 1, 2024, 2023}, {31, 12, 2024, 2024},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(practice_data_internal::usage_year_of(fp_builddate(c.day, c.month, c.year)), c.usage_year)
        << c.day << "/" << c.month << "/" << c.year;
  }
}

// The counts of a generated practice against a plain count of the same rows.
TEST(UsageCountsOfALargePractice, AgreeWithAPlainCountOfTheRows) {
  test_support::TemporaryFolder folder;
  ASSERT_EQ(platform::write_large_demo_practice(folder.string(), 3000), 0);
  const std::string path = folder.string();
  std::map<std::int32_t, bool> counted_individual;  // number -> acts for and not left out
  std::set<std::pair<std::int32_t, std::int32_t>> personal, trust, non_resident;  // (year, number)
  platform::PracticeTable<zorv1005_rec> clients("test", path.c_str());
  ASSERT_TRUE(clients.walk(0, zorv1005_rec{}, 0, [&](const zorv1005_rec& client) {
    if (client.client_type == 1) {
      counted_individual[+client.client_number] = (client.status_flags & 2) != 0 && (client.second_flags & 2) == 0;
    }
  }).ok());
  platform::PracticeTable<ZORV2006_REC> years("test", path.c_str());
  ASSERT_TRUE(years.walk(0, ZORV2006_REC{}, 0, [&](const ZORV2006_REC& entry) {
    if (counted_individual[+entry.client_number]) personal.insert({+entry.year, +entry.client_number});
  }).ok());
  platform::PracticeTable<ZORV1370_REC> trusts("test", path.c_str());
  ASSERT_TRUE(trusts.walk(0, ZORV1370_REC{}, 0, [&](const ZORV1370_REC& entry) {
    trust.insert({+entry.year, +entry.number});
  }).ok());
  platform::PracticeTable<ZORV7000_REC> entries("test", path.c_str());
  ASSERT_TRUE(entries.walk(0, ZORV7000_REC{}, 0, [&](const ZORV7000_REC& entry) {
    non_resident.insert({+entry.year, +entry.number});
  }).ok());
  const auto in_year = [](const std::set<std::pair<std::int32_t, std::int32_t>>& rows, int year) {
    int count = 0;
    for (const auto& row : rows) count += row.first == year ? 1 : 0;
    return count;
  };

  test_support::set_environment_variable("QARNTASH_DATA_PATH", path);
  for (int year = 2015; year <= 2026; ++year) {
    EXPECT_EQ(GetPersonalTaxPackageUsageForYear(year), in_year(personal, year)) << year;
    EXPECT_EQ(GetTrustTaxPackageUsageForYear(year), in_year(trust, year)) << year;
    EXPECT_EQ(GetNonResidentPackageUsageForYear(year), in_year(non_resident, year)) << year;
  }
  EXPECT_GT(in_year(personal, 2023), 500);
  test_support::remove_environment_variable("QARNTASH_DATA_PATH");
}

// Individuals whose rows decide the personal-tax count, each with its client-year entries.
struct PersonalTaxRow {
  std::uint8_t type;
  std::int32_t number, status_flags, second_flags;
  std::initializer_list<std::int32_t> years;
};
// In number order: the order the count reads the individuals in.
const PersonalTaxRow kPersonalTaxRows[] = {
    {1, -5, 2, 0, {2023}},              // numbers below 1 are not counted
    {1, 0, 2, 0, {2023}},
    {1, 1, 2, 0, {2023}},               // counted in 2023
    {1, 2, 2, 0, {2022, 2024}},         // 2022 and 2024, not the year between
    {1, 3, 0, 0, {2023}},               // not acted for
    {1, 4, 3, 2, {2023}},               // left out of the counts
    {2, 5, 2, 0, {2023}},               // a business, not an individual
    {1, 7, 6, 1, {2021, 2022, 2023, 2024, 2025}},  // once a year, other flag bits aside
    {1, 8, 2, 0, {}},                   // no entries
};
constexpr std::int32_t kEntryWithoutClient = 6;

void write_personal_tax_rows(const test_support::PracticeFolder& practice) {
  for (const PersonalTaxRow& row : kPersonalTaxRows) {
    zorv1005_rec client =
        test_support::client_record(("P" + std::to_string(row.number)).c_str(), row.type, row.number);
    client.status_flags = row.status_flags;
    client.second_flags = row.second_flags;
    ASSERT_EQ(practice.insert("ZORV1005.TTL", client), 0);
    for (const std::int32_t year : row.years) {
      ASSERT_EQ(practice.insert("zorv2006.ttl", ZORV2006_REC{row.number, year, 0}), 0);
    }
  }
  ASSERT_EQ(practice.insert("zorv2006.ttl", ZORV2006_REC{kEntryWithoutClient, 2023, 0}), 0);
}

TEST(PersonalTaxUsage, CountsIndividualsActedForWithAnEntryForTheYear) {
  test_support::PracticeFolder practice({"ZORV1005.TTL", "zorv2006.ttl"});
  ASSERT_EQ(practice.status(), 0);
  write_personal_tax_rows(practice);
  const struct { int year, count; } cases[] = {{2020, 0}, {2021, 1}, {2022, 2}, {2023, 2}, {2024, 2}, {2025, 1}};
  for (const auto& c : cases) EXPECT_EQ(GetPersonalTaxPackageUsageForYear(c.year), c.count) << c.year;
}

// A failed open or read ends the count with what was counted before it, and releases the tables:
// the next count is whole.
TEST(PersonalTaxUsage, AFailureEndsTheCountWithWhatWasCountedBefore) {
  test_support::PracticeFolder practice({"ZORV1005.TTL", "zorv2006.ttl"});
  ASSERT_EQ(practice.status(), 0);
  write_personal_tax_rows(practice);
  const struct { const char* what; int operation, status, count; } cases[] = {
      {"a table does not open", platform::kStoreOpenOperation, BTR_FILE_NOT_FOUND, 0},
      {"the first step on fails", BTR_GET_NEXT, BTR_IO_ERROR, 1},       // after client 1
      {"the first entry look-up fails", BTR_GET_EQUAL + BTR_GET_KEY, BTR_IO_ERROR, 0},  // client 7 is not reached
  };
  for (const auto& c : cases) {
    {
      platform::StoreFaults faults;
      faults.fail_next(c.operation, c.status);
      EXPECT_EQ(GetPersonalTaxPackageUsageForYear(2023), c.count) << c.what;
    }
    EXPECT_EQ(GetPersonalTaxPackageUsageForYear(2023), 2) << c.what;
  }
}

TEST(UsageCountsAtTheLargestNumber, EndThereInsteadOfStartingAgain) {
  test_support::PracticeFolder practice({"ZORV1005.TTL", "zorv2006.ttl", "zorv1370.ttl", "zorv7000.ttl"});
  ASSERT_EQ(practice.status(), 0);
  const std::int32_t last = INT32_MAX;
  zorv1005_rec client{};
  client.client_id[0] = 'Z';
  client.client_type = 1;
  client.client_number = last;
  client.status_flags = 2;
  ASSERT_EQ(practice.insert("ZORV1005.TTL", client), 0);
  for (const std::int32_t year : {2023, 2024}) {
    ASSERT_EQ(practice.insert("zorv2006.ttl", ZORV2006_REC{last, year, 0}), 0);
    ZORV1370_REC trust{};
    trust.number = last;
    trust.year = year;
    ASSERT_EQ(practice.insert("zorv1370.ttl", trust), 0);
  }
  for (const std::int32_t sub : {last - 1, last}) {
    ZORV7000_REC entry{};
    entry.number = last;
    entry.sub_number = sub;
    entry.year = 2024;
    ASSERT_EQ(practice.insert("zorv7000.ttl", entry), 0);
  }
  EXPECT_EQ(GetPersonalTaxPackageUsageForYear(2023), 1);
  EXPECT_EQ(GetTrustTaxPackageUsageForYear(2023), 1);
  EXPECT_EQ(GetNonResidentPackageUsageForYear(2023), 0);
  EXPECT_EQ(GetNonResidentPackageUsageForYear(2024), 1);
}

}  // namespace
