#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/practice_tables.h"
#include "store_fixture.h"
#include "support/practice_folder.h"

namespace record_store_test {
namespace {

class KeyOrder : public StoreSuite {};
STORE_SUITE_ON_BOTH_BACKENDS(KeyOrder);

TEST_P(KeyOrder, SignedNumbersSortNegativeBeforePositive) {
  const std::int32_t numbers[] = {5, -1, 0, 2147483647, -2147483647 - 1, 256, -256, 1};
  int name = 0;
  for (std::int32_t n : numbers) {
    ASSERT_EQ(insert(row(n, 0, std::to_string(name++).c_str())), BTR_OK);
  }
  std::vector<std::int32_t> order;
  for (int status = step(BTR_GET_FIRST, 0); status == BTR_OK; status = step(BTR_GET_NEXT, 0)) {
    order.push_back(current_number());
  }
  EXPECT_EQ(order, (std::vector<std::int32_t>{-2147483647 - 1, -256, -1, 0, 1, 5, 256, 2147483647}));
}

TEST_P(KeyOrder, TextKeysIgnoreWhatFollowsTheTerminator) {
  Row a = row(1, 0, "AB");
  a.name[4] = 'x';  // left over after the NUL: not part of the key
  ASSERT_EQ(insert(a), BTR_OK);
  ASSERT_EQ(insert(row(2, 0, "AB\0\0\0\0\0\0")), BTR_DUPLICATE_KEY);
  ASSERT_EQ(insert(row(3, 0, "AA")), BTR_OK);
  ASSERT_EQ(insert(row(4, 0, "ABC")), BTR_OK);
  std::vector<std::int32_t> order;
  for (int status = step(BTR_GET_FIRST, 2); status == BTR_OK; status = step(BTR_GET_NEXT, 2)) {
    order.push_back(current_number());
  }
  EXPECT_EQ(order, (std::vector<std::int32_t>{3, 1, 4}));
}

// A client's accounting periods, walked back from a period end with get less on
// (client, period end, period kind), as the accounting-date lookups do.
class PracticeKeys : public ::testing::TestWithParam<Backend> {};
STORE_SUITE_ON_BOTH_BACKENDS(PracticeKeys);

TEST_P(PracticeKeys, GetLessWalksBackThroughOneClientsPeriodsInDateOrder) {
  test_support::PracticeFolder practice(GetParam(), {"zorv1202.ttl"});
  ASSERT_EQ(practice.status(), 0) << practice.problem();
  const ZORV1202_REC periods[] = {
      {-7, 45000, 1, 1}, {7, 44000, 1, 2}, {7, 44200, 2, 3}, {7, 44365, 1, 4}, {7, 44730, 1, 5}, {8, 44100, 1, 6},
  };
  for (const ZORV1202_REC& period : periods) ASSERT_EQ(practice.insert("zorv1202.ttl", period), 0);

  btrv_fcb* table = nullptr;
  ASSERT_EQ(_btopen(&table, 0, 0, 14, 10, practice.data_path().c_str(), "ZORV1202.TTL", "qelbin", 0, "", 0, 0), 0);
  const ZORV1202_REC start{7, 44730, 1, 0};
  std::memcpy(table->key_buffer, &start, 10);
  std::vector<std::int32_t> ends;
  while (_bt(BTR_GET_LESS, table, 0, "", 0, 0) == BTR_OK) {
    ZORV1202_REC found{};
    std::memcpy(&found, table->record_buffer, sizeof found);
    if (found.client_number != 7) break;
    ends.push_back(+found.period_end);  // + reads the packed field by value
  }
  EXPECT_EQ(ends, (std::vector<std::int32_t>{44365, 44200, 44000}));
  _btclose(&table, "", 0, 0);
}

}  // namespace
}  // namespace record_store_test
