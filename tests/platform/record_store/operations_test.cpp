#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "store_fixture.h"

namespace record_store_test {
namespace {

class Operations : public StoreSuite {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    // Group 20 holds three records, inserted in the order 3, 1, 2.
    for (const Row& r : {row(10, 10, "ten"), row(3, 20, "three"), row(1, 20, "one"), row(2, 20, "two"),
                         row(30, 30, "thirty")}) {
      ASSERT_EQ(insert(r), BTR_OK);
    }
  }
};
STORE_SUITE_ON_BOTH_BACKENDS(Operations);

struct ReadCase {
  const char* what;
  int operation;
  int key;
  std::int32_t value;
  int status;
  std::int32_t found_number;
};

constexpr ReadCase kReadCases[] = {
      {"get equal on a unique key", BTR_GET_EQUAL, 0, 2, BTR_OK, 2},
      {"get equal that misses", BTR_GET_EQUAL, 0, 4, BTR_KEY_NOT_FOUND, 0},
      {"get equal gives the oldest of a group", BTR_GET_EQUAL, 1, 20, BTR_OK, 3},
      {"get greater gives the oldest of the next group", BTR_GET_GREATER, 1, 10, BTR_OK, 3},
      {"get greater or equal on an exact key", BTR_GET_GREATER_OR_EQUAL, 1, 20, BTR_OK, 3},
      {"get greater or equal between keys", BTR_GET_GREATER_OR_EQUAL, 1, 15, BTR_OK, 3},
      {"get less gives the newest of the group before", BTR_GET_LESS, 1, 30, BTR_OK, 2},
      {"get less or equal on an exact key", BTR_GET_LESS_OR_EQUAL, 1, 20, BTR_OK, 2},
      {"get greater past the last key", BTR_GET_GREATER, 0, 30, BTR_END_OF_FILE, 0},
      {"get less before the first key", BTR_GET_LESS, 0, 1, BTR_END_OF_FILE, 0},
      {"get first", BTR_GET_FIRST, 0, 0, BTR_OK, 1},
      {"get last", BTR_GET_LAST, 0, 0, BTR_OK, 30},
      {"get last on a key with duplicates gives the newest", BTR_GET_LAST, 1, 0, BTR_OK, 30},
      {"get greater or equal on a text key", BTR_GET_GREATER_OR_EQUAL, 2, 0, BTR_OK, 1},
};

TEST_P(Operations, ReadsFindTheRecordsThatBtrieveWouldFind) {
  for (const ReadCase& c : kReadCases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(get(c.operation, c.key, c.value), c.status);
    if (c.status == BTR_OK) {
      EXPECT_EQ(current_number(), c.found_number);
    }
  }
}

// A get with BTR_GET_KEY added answers as the get does but gives the key alone: the same status
// and key buffer, the record buffer untouched, no current record to update, and next and
// previous (with or without the record) step on from the same place.
TEST_P(Operations, GetKeyFindsWhatTheGetFindsAndGivesOnlyTheKey) {
  btrv_fcb* keys = nullptr;
  ASSERT_EQ(open(&keys), BTR_OK);
  const auto same_buffers = [&] { return std::memcmp(keys->key_buffer, table->key_buffer, 8) == 0; };
  for (const ReadCase& c : kReadCases) {
    SCOPED_TRACE(c.what);
    const int status = get(c.operation, c.key, c.value);
    std::memset(keys->key_buffer, 0, 8);
    std::memcpy(keys->key_buffer, &c.value, sizeof c.value);
    std::memset(keys->record_buffer, 0x5a, 16);
    ASSERT_EQ(_bt(c.operation + BTR_GET_KEY, keys, c.key, "", 0, 0), status);
    EXPECT_EQ(std::string(keys->record_buffer, 16), std::string(16, '\x5a'));
    if (status != BTR_OK) continue;
    EXPECT_TRUE(same_buffers());
    EXPECT_EQ(_bt(BTR_UPDATE, keys, c.key, "", 0, 0), BTR_NO_CURRENT_RECORD);
    const int next = step(BTR_GET_NEXT, c.key);
    ASSERT_EQ(_bt(BTR_GET_NEXT + BTR_GET_KEY, keys, c.key, "", 0, 0), next);
    if (next != BTR_OK) continue;
    EXPECT_TRUE(same_buffers());
    const int with_record = step(BTR_GET_NEXT, c.key);
    ASSERT_EQ(_bt(BTR_GET_NEXT, keys, c.key, "", 0, 0), with_record);
    if (with_record == BTR_OK) {
      EXPECT_EQ(std::memcmp(keys->record_buffer, table->record_buffer, 16), 0);
    }
  }
  _btclose(&keys, "", 0, 0);
}

TEST_P(Operations, ASuccessfulReadLeavesTheFoundKeyInTheKeyBuffer) {
  ASSERT_EQ(get(BTR_GET_GREATER, 0, 3), BTR_OK);
  EXPECT_EQ(key_int(), 10);
  ASSERT_EQ(get(BTR_GET_GREATER_OR_EQUAL, 2, 0), BTR_OK);  // names in text order: "one" first
  EXPECT_STREQ(table->key_buffer, "one");
  EXPECT_EQ(table->data_length, 16);
}

TEST_P(Operations, NextAndPreviousWalkDuplicatesInInsertionOrder) {
  std::vector<std::int32_t> forward;
  for (int status = step(BTR_GET_FIRST, 1); status == BTR_OK; status = step(BTR_GET_NEXT, 1)) {
    forward.push_back(current_number());
  }
  EXPECT_EQ(forward, (std::vector<std::int32_t>{10, 3, 1, 2, 30}));
  std::vector<std::int32_t> backward;
  for (int status = step(BTR_GET_LAST, 1); status == BTR_OK; status = step(BTR_GET_PREVIOUS, 1)) {
    backward.push_back(current_number());
  }
  EXPECT_EQ(backward, (std::vector<std::int32_t>{30, 2, 1, 3, 10}));
}

TEST_P(Operations, AWalkCanTurnBackAtTheEnd) {
  ASSERT_EQ(step(BTR_GET_LAST, 0), BTR_OK);
  EXPECT_EQ(step(BTR_GET_NEXT, 0), BTR_END_OF_FILE);
  ASSERT_EQ(step(BTR_GET_PREVIOUS, 0), BTR_OK);
  EXPECT_EQ(current_number(), 10);
}

TEST_P(Operations, NextWithoutAPositionGivesNoCurrentRecord) {
  btrv_fcb* fresh = nullptr;
  ASSERT_EQ(open(&fresh), BTR_OK);
  EXPECT_EQ(_bt(BTR_GET_NEXT, fresh, 0, "", 0, 0), BTR_NO_CURRENT_RECORD);
  _btclose(&fresh, "", 0, 0);
  ASSERT_EQ(get(BTR_GET_EQUAL, 0, 99), BTR_KEY_NOT_FOUND);  // a failed read loses the position
  EXPECT_EQ(step(BTR_GET_PREVIOUS, 0), BTR_NO_CURRENT_RECORD);
}

TEST_P(Operations, AClashOnAUniqueKeyWritesNothing) {
  EXPECT_EQ(insert(row(2, 99, "other")), BTR_DUPLICATE_KEY);     // key 0 clashes
  EXPECT_EQ(insert(row(77, 99, "ten")), BTR_DUPLICATE_KEY);      // key 2 clashes, key 0 is new
  EXPECT_EQ(get(BTR_GET_EQUAL, 0, 77), BTR_KEY_NOT_FOUND);       // so no key was updated
  EXPECT_EQ(get(BTR_GET_EQUAL, 1, 99), BTR_KEY_NOT_FOUND);
}

TEST_P(Operations, InsertMakesTheNewRecordCurrent) {
  ASSERT_EQ(insert(row(25, 20, "newest")), BTR_OK);
  EXPECT_EQ(key_int(), 25);
  ASSERT_EQ(step(BTR_GET_NEXT, 0), BTR_OK);
  EXPECT_EQ(current_number(), 30);
}

TEST_P(Operations, UpdateRewritesTheCurrentRecordAndFollowsItsNewKey) {
  ASSERT_EQ(get(BTR_GET_EQUAL, 1, 20), BTR_OK);  // the oldest of group 20: record 3
  ASSERT_EQ(current_number(), 3);
  Row changed = current();
  changed.group = 10;  // moves from group 20 to the end of group 10
  std::memcpy(table->record_buffer, &changed, sizeof changed);
  ASSERT_EQ(step(BTR_UPDATE, 1), BTR_OK);
  EXPECT_EQ(key_int(), 10);
  ASSERT_EQ(step(BTR_GET_NEXT, 1), BTR_OK);  // the walk goes on from the new place
  EXPECT_EQ(current_number(), 1);
  ASSERT_EQ(get(BTR_GET_EQUAL, 1, 10), BTR_OK);
  EXPECT_EQ(current_number(), 10);
  ASSERT_EQ(step(BTR_GET_NEXT, 1), BTR_OK);
  EXPECT_EQ(current_number(), 3);  // joined group 10 last
}

TEST_P(Operations, UpdateAndDeleteNeedACurrentRecord) {
  btrv_fcb* fresh = nullptr;
  ASSERT_EQ(open(&fresh), BTR_OK);
  const Row r = row(1, 1, "x");
  std::memcpy(fresh->record_buffer, &r, sizeof r);
  EXPECT_EQ(_bt(BTR_UPDATE, fresh, 0, "", 0, 0), BTR_NO_CURRENT_RECORD);
  EXPECT_EQ(_bt(BTR_DELETE, fresh, 0, "", 0, 0), BTR_NO_CURRENT_RECORD);
  _btclose(&fresh, "", 0, 0);
}

TEST_P(Operations, AnUpdateThatClashesLeavesTheRecordAsItWas) {
  ASSERT_EQ(get(BTR_GET_EQUAL, 0, 3), BTR_OK);
  Row changed = current();
  changed.number = 10;
  std::memcpy(table->record_buffer, &changed, sizeof changed);
  EXPECT_EQ(step(BTR_UPDATE, 0), BTR_DUPLICATE_KEY);
  ASSERT_EQ(get(BTR_GET_EQUAL, 2, 0), BTR_KEY_NOT_FOUND);
  std::strcpy(table->key_buffer, "three");
  ASSERT_EQ(step(BTR_GET_EQUAL, 2), BTR_OK);
  EXPECT_EQ(current_number(), 3);
}

TEST_P(Operations, DeleteRemovesTheRecordAndTheWalkGoesOn) {
  ASSERT_EQ(get(BTR_GET_EQUAL, 0, 2), BTR_OK);
  ASSERT_EQ(step(BTR_DELETE, 0), BTR_OK);
  EXPECT_EQ(step(BTR_DELETE, 0), BTR_NO_CURRENT_RECORD);
  EXPECT_EQ(get(BTR_GET_EQUAL, 0, 2), BTR_KEY_NOT_FOUND);
  ASSERT_EQ(get(BTR_GET_EQUAL, 0, 1), BTR_OK);
  ASSERT_EQ(step(BTR_DELETE, 0), BTR_OK);
  ASSERT_EQ(step(BTR_GET_NEXT, 0), BTR_OK);
  EXPECT_EQ(current_number(), 3);
}

TEST_P(Operations, AShortRecordBufferGivesStatus22AndNothingCopied) {
  btrv_fcb* small = nullptr;
  ASSERT_EQ(open(&small, 12, 8), BTR_OK);
  std::memset(small->key_buffer, 0, 8);
  std::memset(small->record_buffer, 0x77, 12);
  EXPECT_EQ(_bt(BTR_GET_FIRST, small, 0, __FILE__, __LINE__, 0), BTR_DATA_BUFFER_TOO_SHORT);
  EXPECT_EQ(std::string(small->record_buffer, 12), std::string(12, '\x77'));
  EXPECT_EQ(_bt(BTR_GET_NEXT, small, 0, __FILE__, __LINE__, 0), BTR_NO_CURRENT_RECORD);
  EXPECT_EQ(_bt(BTR_INSERT, small, 0, __FILE__, __LINE__, 0), BTR_DATA_BUFFER_TOO_SHORT);
  _btclose(&small, __FILE__, __LINE__, 0);
}

TEST_P(Operations, FailuresAreReportedOnlyWhenTheCallerAsks) {
  platform::ReportCapture reports;
  EXPECT_EQ(get(BTR_GET_EQUAL, 0, 99), BTR_KEY_NOT_FOUND);
  EXPECT_TRUE(reports.lines().empty());
  std::memcpy(table->key_buffer, "\x63\0\0\0", 4);
  EXPECT_EQ(_bt(BTR_GET_EQUAL, table, 0, "ClientIDUtilities", 12, 1), BTR_KEY_NOT_FOUND);
  ASSERT_EQ(reports.lines().size(), 1u);
  EXPECT_TRUE(reports.contains("status 4 (key value not found) on operation 5 key 0 of ROWS.TTL"));
  EXPECT_TRUE(reports.contains("ClientIDUtilities line 12"));
  EXPECT_EQ(BTError(table, "DefaultsAndSettingsDAO", 0, 3112), BTR_KEY_NOT_FOUND);
  EXPECT_TRUE(reports.contains("record store message 3112"));
}

TEST_P(Operations, ALoadThatFailsPartWayInsertsNothing) {
  const Row rows[] = {row(100, 1, "a100"), row(101, 1, "a101"), row(10, 1, "clash")};  // 10 is there already
  EXPECT_EQ(platform::load_table_records(data_path(), "ROWS.TTL", rows, 3, sizeof(Row)), BTR_DUPLICATE_KEY);
  EXPECT_EQ(get(BTR_GET_EQUAL, 0, 100), BTR_KEY_NOT_FOUND);
  EXPECT_EQ(platform::load_table_records(data_path(), "ROWS.TTL", rows, 2, sizeof(Row)), BTR_OK);
  EXPECT_EQ(get(BTR_GET_EQUAL, 0, 101), BTR_OK);
}

// A position belongs to the key it was found by: stepping or writing on another would walk or
// write somewhere the program did not mean.
TEST_P(Operations, NextPreviousUpdateAndDeleteOnAnotherKeyGiveStatus7AndChangeNothing) {
  struct Case {
    int operation;
    int key;
  };
  const Case cases[] = {{BTR_GET_NEXT, 0}, {BTR_GET_PREVIOUS, 2}, {BTR_UPDATE, 0}, {BTR_DELETE, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.operation);
    ASSERT_EQ(get(BTR_GET_EQUAL, 1, 20), BTR_OK);  // record 3, found by key 1
    Row changed = current();
    changed.number = 77;
    std::memcpy(table->record_buffer, &changed, sizeof changed);
    EXPECT_EQ(step(c.operation, c.key), BTR_DIFFERENT_KEY_NUMBER);
    EXPECT_EQ(get(BTR_GET_EQUAL, 0, 3), BTR_OK);
    EXPECT_EQ(get(BTR_GET_EQUAL, 0, 77), BTR_KEY_NOT_FOUND);
  }
  // On the key of the position they work, and the position moves with an insert's key.
  ASSERT_EQ(get(BTR_GET_EQUAL, 1, 20), BTR_OK);
  ASSERT_EQ(step(BTR_GET_NEXT, 1), BTR_OK);
  EXPECT_EQ(current_number(), 1);
  ASSERT_EQ(insert(row(11, 10, "eleven")), BTR_OK);
  EXPECT_EQ(step(BTR_GET_NEXT, 1), BTR_DIFFERENT_KEY_NUMBER);
  ASSERT_EQ(step(BTR_GET_NEXT, 0), BTR_OK);
  EXPECT_EQ(current_number(), 30);
}

TEST_P(Operations, UnknownOperationsAreRefused) {
  for (int operation : {0, 1, 14, 99, -5}) {
    SCOPED_TRACE(operation);
    EXPECT_EQ(step(operation, 0), BTR_INVALID_OPERATION);
  }
}

}  // namespace
}  // namespace record_store_test
