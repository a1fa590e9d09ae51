// A small table for the store's tests: 16-byte records keyed by a unique number (key 0), a group
// that allows duplicates (key 1) and a name (key 2, text, unique).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "platform/errors.h"
#include "platform/record_store.h"
#include "support/both_backends.h"
#include "support/temporary_folder.h"
#include "support/test_store.h"

namespace record_store_test {

#pragma pack(push, 1)
struct Row {              // off size
  std::int32_t number;    //  0   4
  std::int32_t group;     //  4   4
  char name[8];           //  8   8
};
#pragma pack(pop)
static_assert(sizeof(Row) == 16, "Row is 16 bytes");

inline platform::TableDefinition row_table(const std::string& file_name = "ROWS.TTL") {
  using platform::KeySegmentType;
  return platform::TableDefinition{
      file_name, "rows for tests", 16, 8, false,
      {{{{0, 4, KeySegmentType::signed_integer}}, false},
       {{{4, 4, KeySegmentType::signed_integer}}, true},
       {{{8, 8, KeySegmentType::text}}, false}}};
}

inline Row row(std::int32_t number, std::int32_t group, const char* name) {
  Row r{};
  r.number = number;
  r.group = group;
  std::memcpy(r.name, name, strnlen(name, sizeof r.name));  // a full 8-character name has no NUL
  return r;
}

using test_support::Backend;

// An open handle on a fresh ROWS.TTL, closed at the end of the test. The table is a file in a
// fresh folder, or, for a test of the StoreSuite kind, on whichever backend its parameter names.
class StoreTest : public ::testing::Test {
 protected:
  virtual Backend backend() const { return Backend::files; }

  void SetUp() override {
    if (backend() == Backend::server) {
      server = std::make_unique<test_support::TestStore>(Backend::server);
      ASSERT_EQ(server->problem(), "");
    }
    ASSERT_EQ(platform::create_table_file(data_path(), row_table()), BTR_OK);
    ASSERT_EQ(open(&table), BTR_OK);
  }
  void TearDown() override {
    if (table != nullptr) _btclose(&table, __FILE__, __LINE__, 0);
  }

  std::string data_path() const { return server != nullptr ? server->data_path() : folder.string(); }

  int open(btrv_fcb** handle, int record_length = 16, int key_length = 8) {
    return _btopen(handle, 0, 0, record_length, key_length, data_path().c_str(), "ROWS.TTL", "qelbin", 0,
                   __FILE__, __LINE__, 0);
  }
  int insert(const Row& r, btrv_fcb* handle = nullptr) {
    btrv_fcb* h = handle != nullptr ? handle : table;
    std::memcpy(h->record_buffer, &r, sizeof r);
    return _bt(BTR_INSERT, h, 0, __FILE__, __LINE__, 0);
  }
  int get(int operation, int key, std::int32_t value) {
    std::memset(table->key_buffer, 0, 8);
    std::memcpy(table->key_buffer, &value, sizeof value);
    return _bt(operation, table, key, __FILE__, __LINE__, 0);
  }
  int step(int operation, int key) { return _bt(operation, table, key, __FILE__, __LINE__, 0); }
  Row current() const {
    Row r{};
    std::memcpy(&r, table->record_buffer, sizeof r);
    return r;
  }
  // Fields of packed records are read by value: a reference to one may be misaligned.
  std::int32_t current_number() const { return current().number; }
  std::int32_t key_int() const {
    std::int32_t value = 0;
    std::memcpy(&value, table->key_buffer, sizeof value);
    return value;
  }

  test_support::TemporaryFolder folder;
  std::unique_ptr<test_support::TestStore> server;
  btrv_fcb* table = nullptr;
};

// The same tests on both backends: TEST_P(Fixture, ...) with the fixture derived from this, and
// STORE_SUITE_ON_BOTH_BACKENDS(Fixture) (support/both_backends.h).
class StoreSuite : public StoreTest, public ::testing::WithParamInterface<Backend> {
 protected:
  Backend backend() const override { return GetParam(); }
};

}  // namespace record_store_test
