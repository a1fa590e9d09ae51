#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/practice_tables.h"
#include "support/practice_folder.h"

namespace {

// The record and key buffer lengths with which the suite's programs open each table.
struct OpenedAs {
  const char* file_name;
  int record_length;
  int key_length;
};
const OpenedAs kTablesAsOpened[] = {
    {"ZORV1005.TTL", 28, 15},   {"zorv2006.ttl", 10, 8},    {"zorv1370.ttl", 2018, 18},
    {"zorv7000.ttl", 2020, 20}, {"zorv1371.ttl", 527, 15},  {"ZORV1008.TTL", 4604, 16},
    {"ZORV1009.TTL", 275, 11},  {"zorv1201.ttl", 61, 43},   {"zorv1202.ttl", 14, 10},
    {"ZORV1203.ttl", 16400, 16}, {"zorv3000.ttl", 512, 6},  {"zorv2000.ttl", 1030, 6},
    {"zorv1445.ttl", 277, 17},  {"zorv1431.ttl", 272, 12},
};

TEST(Catalogue, HoldsEveryTableWithTheLengthsItIsOpenedWith) {
  for (const OpenedAs& table : kTablesAsOpened) {
    SCOPED_TRACE(table.file_name);
    const platform::TableDefinition* definition = platform::find_practice_table(table.file_name);
    ASSERT_NE(definition, nullptr);
    EXPECT_EQ(definition->record_length, table.record_length);
    EXPECT_EQ(definition->key_buffer_length, table.key_length);
  }
}

TEST(Catalogue, EveryDefinitionIsSound) {
  for (const platform::TableDefinition& definition : platform::practice_tables()) {
    EXPECT_EQ(platform::definition_problem(definition), "") << definition.file_name;
  }
}

TEST(Catalogue, KeysThatTheLibraryWalksHaveTheirDocumentedLengths) {
  struct KeyLength {
    const char* file_name;
    int key_number;
    int length;
  };
  const KeyLength keys[] = {
      {"ZORV1005.TTL", 0, 11}, {"ZORV1005.TTL", 1, 5},  {"zorv1202.ttl", 0, 10}, {"zorv1371.ttl", 2, 15},
      {"zorv1426.ttl", 3, 17}, {"zorv1445.ttl", 1, 17}, {"zorv1431.ttl", 2, 12}, {"zorv1370.ttl", 1, 18},
      {"zorv7000.ttl", 0, 20}, {"ZORV1203.TTL", 0, 16}, {"zorv3000.ttl", 0, 6},  {"zorv2000.ttl", 0, 6},
  };
  for (const KeyLength& key : keys) {
    SCOPED_TRACE(std::string(key.file_name) + " key " + std::to_string(key.key_number));
    const platform::TableDefinition* definition = platform::find_practice_table(key.file_name);
    ASSERT_NE(definition, nullptr);
    ASSERT_LT(key.key_number, static_cast<int>(definition->keys.size()));
    EXPECT_EQ(definition->keys[static_cast<std::size_t>(key.key_number)].length(), key.length);
  }
}

TEST(Catalogue, APracticeFolderHoldsEveryTableReadyToOpen) {
  test_support::PracticeFolder practice;
  ASSERT_EQ(practice.status(), 0);
  for (const platform::TableDefinition& definition : platform::practice_tables()) {
    SCOPED_TRACE(definition.file_name);
    btrv_fcb* handle = nullptr;
    ASSERT_EQ(_btopen(&handle, 0, 0, definition.record_length, definition.key_buffer_length,
                      practice.data_path().c_str(), definition.file_name.c_str(), "qelbin", 0, "", 0, 0), 0);
    EXPECT_EQ(_bt(BTR_GET_FIRST, handle, 0, "", 0, 0), BTR_END_OF_FILE);
    _btclose(&handle, "", 0, 0);
  }
  EXPECT_EQ(platform::create_practice_data_folder(practice.data_path()), 0);  // again: nothing to add
  EXPECT_EQ(platform::create_practice_table(practice.data_path(), "zorv9999.ttl"), BTR_INVALID_FILE_NAME);
}

TEST(Catalogue, TheAddressFieldTableCoversTheWholeAddressRecord) {
  int bytes = 0;
  int fields = 0;
  for (const TAGGED_FIELD_LAYOUT* field = zorv1008_tagged_fields(); field->tag != -1; ++field) {
    bytes += field->length;
    ++fields;
    EXPECT_LE(field->offset + field->length, static_cast<int>(sizeof(ZORV1008_TLD))) << field->tag;
  }
  EXPECT_EQ(fields, 12 + 32);
  EXPECT_EQ(bytes, static_cast<int>(sizeof(ZORV1008_TLD)));
}

}  // namespace
