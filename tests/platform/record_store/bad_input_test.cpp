#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>

#include "store_fixture.h"

namespace record_store_test {
namespace {

void write_file(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

// Runs SQL on a table file behind the store's back, as damage or another program would.
void change_behind_the_store(const std::filesystem::path& path, const char* sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.string().c_str(), &db), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(db);
}

class BadInput : public StoreTest {};
// Bad input that any backend refuses alike.
class BadRequests : public StoreSuite {};
STORE_SUITE_ON_BOTH_BACKENDS(BadRequests);

TEST_F(BadInput, OpenRefusesWhatIsNotATableWithAStatusAndAReport) {
  write_file(folder.path() / "TEXT.TTL", "this is not a table file at all, just some text");
  write_file(folder.path() / "EMPTY.TTL", "");
  struct Case {
    const char* file_name;
    const char* access_word;
    int status;
  };
  const Case cases[] = {
      {"MISSING.TTL", "qelbin", BTR_FILE_NOT_FOUND},
      {"TEXT.TTL", "qelbin", BTR_NOT_A_TABLE_FILE},
      {"EMPTY.TTL", "qelbin", BTR_NOT_A_TABLE_FILE},
      {"ROWS.TTL", "QELBIN", BTR_INVALID_ACCESS_WORD},
      {"ROWS.TTL", "", BTR_INVALID_ACCESS_WORD},
      {"ROWS.TTL", nullptr, BTR_INVALID_ACCESS_WORD},
      {"", "qelbin", BTR_INVALID_FILE_NAME},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file_name);
    platform::ReportCapture reports;
    btrv_fcb* handle = nullptr;
    EXPECT_EQ(_btopen(&handle, 0, 0, 16, 8, folder.string().c_str(), c.file_name, c.access_word, 0, "here", 7, 1),
              c.status);
    EXPECT_EQ(handle, nullptr);
    EXPECT_EQ(reports.lines().size(), 1u);
  }
}

TEST_F(BadInput, ADamagedTableGivesAStatusNotACrash) {
  for (int i = 0; i < 300; ++i) ASSERT_EQ(insert(row(i, i % 7, std::to_string(i).c_str())), BTR_OK) << i;
  _btclose(&table, __FILE__, __LINE__, 0);
  const std::filesystem::path path = folder.path() / "ROWS.TTL";
  // Overwrite every page after the first two, where the records and their indexes lie.
  {
    const auto size = static_cast<std::size_t>(std::filesystem::file_size(path));
    ASSERT_GT(size, 3u * 4096u);
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(2 * 4096);
    const std::string junk(size - 2 * 4096, '\x5a');
    file.write(junk.data(), static_cast<std::streamsize>(junk.size()));
  }
  EXPECT_NE(platform::check_table_file(folder.string(), "ROWS.TTL"), BTR_OK);
  btrv_fcb* handle = nullptr;
  const int opened = open(&handle);
  if (opened == BTR_OK) {
    int status = _bt(BTR_GET_FIRST, handle, 0, __FILE__, __LINE__, 0);
    for (int i = 0; i < 300 && status == BTR_OK; ++i) status = _bt(BTR_GET_NEXT, handle, 0, __FILE__, __LINE__, 0);
    EXPECT_NE(status, BTR_OK);
    _btclose(&handle, __FILE__, __LINE__, 0);
  } else {
    EXPECT_TRUE(opened == BTR_NOT_A_TABLE_FILE || opened == BTR_IO_ERROR) << opened;
  }
}

TEST_F(BadInput, AStoredRecordOfTheWrongLengthGivesStatus2AndAReport) {
  ASSERT_EQ(insert(row(1, 1, "one")), BTR_OK);
  ASSERT_EQ(insert(row(2, 1, "two")), BTR_OK);
  ASSERT_NO_FATAL_FAILURE(
      change_behind_the_store(folder.path() / "ROWS.TTL", "UPDATE records SET data = x'0102' WHERE id = 2"));
  platform::ReportCapture reports;
  ASSERT_EQ(get(BTR_GET_EQUAL, 0, 1), BTR_OK);
  EXPECT_EQ(_bt(BTR_GET_NEXT, table, 0, "walk", 1, 1), BTR_IO_ERROR);
  EXPECT_TRUE(reports.contains("status 2"));
  EXPECT_EQ(current_number(), 1);  // the buffer still holds the last good record
}

TEST_F(BadInput, ATaggedRecordStoredWithoutItsKeyFieldsGivesStatus2) {
  using platform::KeySegmentType;
  const platform::TableDefinition tagged{"TAGGED.TTL", "tagged rows", 64, 6, true,
                                         {{{{0, 4, KeySegmentType::signed_integer}}, false}}};
  ASSERT_EQ(platform::create_table_file(folder.string(), tagged), BTR_OK);
  const char record[12] = {7, 0, 0, 0, 0, 0, 101, 0, 0, 0, 0, 0};  // key fields, then an empty field 101
  ASSERT_EQ(platform::insert_table_record(folder.string(), "TAGGED.TTL", record, sizeof record), BTR_OK);
  ASSERT_NO_FATAL_FAILURE(change_behind_the_store(folder.path() / "TAGGED.TTL", "UPDATE records SET data = x'0700'"));
  btrv_fcb* handle = nullptr;
  ASSERT_EQ(_btopen(&handle, 0, 0, 0, 0, folder.string().c_str(), "TAGGED.TTL", "qelbin", 0, "", 0, 0), BTR_OK);
  EXPECT_EQ(_bt(BTR_GET_FIRST, handle, 0, "", 0, 0), BTR_IO_ERROR);
  _btclose(&handle, "", 0, 0);
}

TEST_F(BadInput, ATableFileWhoseStoredDefinitionIsDamagedIsRefusedWithStatus30) {
  struct Case {
    const char* what;
    const char* damage;
  };
  const Case cases[] = {
      {"a key numbered below 0", "UPDATE key_segments SET key_number = -1 WHERE key_number = 0"},
      {"a gap in the key numbers", "UPDATE key_segments SET key_number = 5 WHERE key_number = 2"},
      {"a segment far outside the record", "UPDATE key_segments SET offset = 2147483647 WHERE key_number = 0"},
      {"a key longer than any buffer", "UPDATE key_segments SET length = 2147483647 WHERE key_number > 0"},
      {"an unknown segment type", "UPDATE key_segments SET type = 9 WHERE key_number = 1"},
      {"another file format", "UPDATE table_definition SET format = 'other'"},
      {"an enormous record length", "UPDATE table_definition SET record_length = 2147483647"},
      {"an enormous key buffer length", "UPDATE table_definition SET key_buffer_length = 2147483647"},
      {"a record length beyond an int", "UPDATE table_definition SET record_length = 4294967312"},
      {"two definitions", "INSERT INTO table_definition SELECT * FROM table_definition"},
      {"duplicates dropped from a key that holds them", "UPDATE key_segments SET duplicates = 0 WHERE key_number = 1"},
      {"duplicates claimed for a unique key", "UPDATE key_segments SET duplicates = 1 WHERE key_number = 0"},
  };
  int made = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string name = "DAMAGED" + std::to_string(made++) + ".TTL";
    ASSERT_EQ(platform::create_table_file(folder.string(), row_table(name)), BTR_OK);
    ASSERT_NO_FATAL_FAILURE(change_behind_the_store(folder.path() / name, c.damage));
    btrv_fcb* handle = nullptr;
    EXPECT_EQ(_btopen(&handle, 0, 0, 16, 8, folder.string().c_str(), name.c_str(), "qelbin", 0, "", 0, 0),
              BTR_NOT_A_TABLE_FILE);
    EXPECT_EQ(handle, nullptr);
  }
}

TEST_P(BadRequests, BuffersBeyondTheLongestATableMayHaveAreRefusedAtOpen) {
  btrv_fcb* handle = nullptr;
  EXPECT_EQ(open(&handle, 2147483647, 8), BTR_DATA_BUFFER_TOO_SHORT);
  EXPECT_EQ(open(&handle, 16, 2147483647), BTR_KEY_BUFFER_TOO_SHORT);
  EXPECT_EQ(handle, nullptr);
  platform::TableDefinition huge = row_table("HUGE.TTL");
  huge.record_length = kRecordStoreMaxRecordLength + 1;
  EXPECT_EQ(platform::create_table_file(data_path(), huge), BTR_INVALID_FILE_NAME);
}

// One changed byte makes a record say another key than the one it is stored under. The walk gives
// 2 there and ends, and the check names the record.
TEST_F(BadInput, ARecordWhoseBytesDisagreeWithItsKeyIsDamageThatEndsTheWalkAndFailsTheCheck) {
  for (int i = 1; i <= 3; ++i) ASSERT_EQ(insert(row(i, 1, std::to_string(i).c_str())), BTR_OK);
  EXPECT_EQ(platform::check_table_file(folder.string(), "ROWS.TTL"), BTR_OK);
  // Record 2's number becomes 9: beyond record 3, so stepping on from its bytes would go round.
  ASSERT_NO_FATAL_FAILURE(change_behind_the_store(
      folder.path() / "ROWS.TTL", "UPDATE records SET data = x'09000000' || substr(data, 5) WHERE id = 2"));
  for (int operation : {BTR_GET_FIRST, BTR_GET_LAST}) {
    SCOPED_TRACE(operation);
    int status = step(operation, 0);
    int steps = 0;
    while (status == BTR_OK && ++steps < 10) status = step(operation == BTR_GET_FIRST ? BTR_GET_NEXT : BTR_GET_PREVIOUS, 0);
    EXPECT_EQ(status, BTR_IO_ERROR);
  }
  platform::ReportCapture reports;
  EXPECT_EQ(platform::check_table_file(folder.string(), "ROWS.TTL"), BTR_IO_ERROR);
  EXPECT_TRUE(reports.contains("record 2 holds another key 0")) << (reports.lines().empty() ? "" : reports.lines()[0]);
}

TEST_P(BadRequests, AKeyNumberTheTableLacksGivesStatus6) {
  for (int key : {-1, 3, 100}) {
    SCOPED_TRACE(key);
    EXPECT_EQ(_bt(BTR_GET_FIRST, table, key, __FILE__, __LINE__, 0), BTR_INVALID_KEY_NUMBER);
    EXPECT_EQ(_bt(BTR_INSERT, table, key, __FILE__, __LINE__, 0), BTR_INVALID_KEY_NUMBER);
  }
}

TEST_P(BadRequests, AKeyBufferShorterThanTheKeyGivesStatus21) {
  btrv_fcb* short_keys = nullptr;
  ASSERT_EQ(open(&short_keys, 16, 4), BTR_OK);
  EXPECT_EQ(_bt(BTR_GET_FIRST, short_keys, 0, __FILE__, __LINE__, 0), BTR_END_OF_FILE);  // key 0 is 4 bytes
  EXPECT_EQ(_bt(BTR_GET_FIRST, short_keys, 2, __FILE__, __LINE__, 0), BTR_KEY_BUFFER_TOO_SHORT);
  _btclose(&short_keys, __FILE__, __LINE__, 0);
}

TEST_F(BadInput, CallsOnANullHandleGiveStatus3) {
  platform::ReportCapture reports;
  btrv_fcb* none = nullptr;
  EXPECT_EQ(_bt(BTR_GET_FIRST, none, 0, __FILE__, __LINE__, 1), BTR_FILE_NOT_OPEN);
  EXPECT_EQ(_btclose(&none, __FILE__, __LINE__, 1), BTR_FILE_NOT_OPEN);
  EXPECT_EQ(BTError(none, "x", 0, 1), BTR_FILE_NOT_OPEN);
  EXPECT_EQ(reports.lines().size(), 3u);
}

TEST_P(BadRequests, FileNamesAreMatchedWhateverTheirCase) {
  btrv_fcb* handle = nullptr;
  ASSERT_EQ(_btopen(&handle, 0, 0, 16, 8, data_path().c_str(), "rows.ttl", "qelbin", 0, "", 0, 0), BTR_OK);
  _btclose(&handle, __FILE__, __LINE__, 0);
  EXPECT_EQ(platform::create_table_file(data_path(), row_table("Rows.Ttl")), BTR_FILE_EXISTS);
}

TEST_P(BadRequests, UnsoundDefinitionsAreRefused) {
  using platform::KeySegmentType;
  platform::TableDefinition outside = row_table("A.TTL");
  outside.keys[0].segments[0].offset = 14;  // runs past the 16-byte record
  platform::TableDefinition odd_integer = row_table("B.TTL");
  odd_integer.keys[0].segments[0].length = 3;
  platform::TableDefinition long_key = row_table("C.TTL");
  long_key.key_buffer_length = 4;
  platform::TableDefinition no_keys = row_table("D.TTL");
  no_keys.keys.clear();
  for (const platform::TableDefinition& definition : {outside, odd_integer, long_key, no_keys}) {
    SCOPED_TRACE(definition.file_name);
    EXPECT_FALSE(platform::definition_problem(definition).empty());
    EXPECT_EQ(platform::create_table_file(data_path(), definition), BTR_INVALID_FILE_NAME);
    EXPECT_TRUE(platform::find_table_file(data_path(), definition.file_name).empty());
  }
}

}  // namespace
}  // namespace record_store_test
