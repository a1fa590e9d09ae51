#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/field_tables.h"
#include "platform/practice_tables.h"
#include "support/both_backends.h"
#include "support/practice_folder.h"

namespace {

#pragma pack(push, 1)
struct SettingsKey {
  std::int32_t record_kind;
  std::int16_t user_id;
};
#pragma pack(pop)

// The practice's settings table, on the backend the test's parameter names.
class FieldTables : public ::testing::TestWithParam<test_support::Backend> {
 protected:
  void SetUp() override {
    ASSERT_EQ(practice.status(), 0) << practice.problem();
    ASSERT_EQ(_btopen(&settings, 0, 0, 512, 6, practice.data_path().c_str(), "zorv3000.ttl", "qelbin", 0, "", 0, 0), 0);
  }
  void TearDown() override { _btclose(&settings, "", 0, 0); }

  int read_settings(std::int32_t kind, std::int16_t user) {
    const SettingsKey key{kind, user};
    std::memcpy(settings->key_buffer, &key, sizeof key);
    return _bt(BTR_GET_EQUAL, settings, 0, "", 0, 0);
  }

  test_support::PracticeFolder practice{GetParam(), {"zorv3000.ttl", "zorv2000.ttl"}};
  btrv_fcb* settings = nullptr;
};
STORE_SUITE_ON_BOTH_BACKENDS(FieldTables);

TEST_P(FieldTables, AStaticTableTakesTheNamedFieldsOutOfTheRecord) {
  const SettingsKey key{11, 0};
  const std::int16_t client_name_code = 3;
  const std::int32_t date_text_code = 0x401;
  test_support::TaggedRecord record(&key, sizeof key);
  record.add(500, client_name_code).add(777, std::int32_t{99}).add(502, date_text_code);
  ASSERT_EQ(practice.insert("zorv3000.ttl", record.data(), record.size()), 0);

  std::int16_t name_code = -1;
  std::int16_t title_code = -1;
  std::int32_t date_code = -1;
  static_assert(sizeof(FAC_ENTRY) == 10 + sizeof(void*), "entries as the suite lays them out");
  FAC_ENTRY fields[] = {{500, 2, 0, 0, &name_code}, {501, 2, 0, 0, &title_code}, {502, 4, 0, 0, &date_code},
                        {-1, 0, 0, 0, nullptr}};
  ASSERT_EQ(read_settings(11, 0), 0);
  ASSERT_EQ(get_fac(fields, settings, 6), 0);
  EXPECT_EQ(name_code, 3);
  EXPECT_EQ(title_code, -1);  // the record lacks field 501: its place is left alone
  EXPECT_EQ(date_code, 0x401);
  ASSERT_EQ(clear_fac(fields), 0);
  EXPECT_EQ(name_code, 0);
  EXPECT_EQ(title_code, 0);
}

TEST_P(FieldTables, ATextFieldEndsAtItsFirstNulAndIsCutToItsPlace) {
  const SettingsKey key{11, 0};
  test_support::TaggedRecord record(&key, sizeof key);
  record.add_bytes(600, "AB\0CD", 5).add_text(601, "a text longer than its place");
  ASSERT_EQ(practice.insert("zorv3000.ttl", record.data(), record.size()), 0);
  char short_text[6];
  char cut[8];
  std::memset(short_text, 'x', sizeof short_text);
  std::memset(cut, 'x', sizeof cut);
  FAC_ENTRY fields[] = {{600, 6, FAC_KIND_TEXT, 0, short_text}, {601, 8, FAC_KIND_TEXT, 0, cut}, {-1, 0, 0, 0, nullptr}};
  ASSERT_EQ(read_settings(11, 0), 0);
  ASSERT_EQ(get_fac(fields, settings, 6), 0);
  EXPECT_EQ(std::string(short_text, sizeof short_text), std::string("AB\0\0\0\0", 6));
  EXPECT_EQ(std::string(cut, sizeof cut), "a text l");  // a full place has no terminator
}

TEST_P(FieldTables, ATaggedRecordWhoseLengthsRunPastItsEndIsRefusedWhole) {
  const SettingsKey key{19, 0};
  test_support::TaggedRecord record(&key, sizeof key);
  record.add(1400, std::int32_t{0x30});
  // A last field that claims more bytes than the whole record holds.
  const std::int32_t tag = 1401;
  const std::uint16_t claimed = 60000;
  record.add(1401, tag);  // placeholder bytes, patched below
  std::vector<char> bytes(record.data(), record.data() + record.size());
  std::memcpy(&bytes[static_cast<std::size_t>(record.size()) - 6], &claimed, sizeof claimed);
  ASSERT_EQ(practice.insert("zorv3000.ttl", bytes.data(), static_cast<int>(bytes.size())), 0);

  std::int32_t options = -1;
  FAC_ENTRY fields[] = {{1400, 4, 0, 0, &options}, {-1, 0, 0, 0, nullptr}};
  ASSERT_EQ(read_settings(19, 0), 0);
  platform::ReportCapture reports;
  EXPECT_EQ(get_fac(fields, settings, 6), BTR_IO_ERROR);
  EXPECT_EQ(options, -1);  // nothing unpacked from a damaged record
  EXPECT_TRUE(reports.contains("runs past the end"));
}

TEST_P(FieldTables, BadArgumentsGiveAStatus) {
  std::int32_t place = 0;
  FAC_ENTRY fields[] = {{1, 4, 0, 0, &place}, {-1, 0, 0, 0, nullptr}};
  EXPECT_EQ(get_fac(fields, nullptr, 6), BTR_FILE_NOT_OPEN);
  EXPECT_EQ(get_fac(static_cast<const FAC_ENTRY*>(nullptr), settings, 6), BTR_INVALID_OPERATION);
  EXPECT_EQ(get_fac(fields, settings, 100000), BTR_INVALID_OPERATION);
  EXPECT_EQ(get_fac(fields, settings, -1), BTR_INVALID_OPERATION);
}

// Entry type 19 of the practice defaults, as the computation options keep it.
class PracticeDefaults : public FieldTables {
 protected:
  void SetUp() override {
    FieldTables::SetUp();
    ASSERT_EQ(_tldopen(&defaults, "ZORV2000.TTL", practice.data_path().c_str(), 0, "", 0, 1), 0);
    ASSERT_EQ(dfac_init(&table, &buffer, 14, 0), 0);
    ASSERT_EQ(dfac_addtype(table, 154, buffer + 0, 1, FAC_KIND_RAW), 0);
    ASSERT_EQ(dfac_addtype(table, 155, buffer + 1, 2, FAC_KIND_TEXT), 0);
    ASSERT_EQ(dfac_addtype(table, 158, buffer + 5, 4, FAC_KIND_RAW), 0);
  }
  void TearDown() override {
    dfac_free(&table);
    _tldclose(&defaults, "", 0, 1);
    FieldTables::TearDown();
  }
  void key(std::int32_t entry_type) {
    std::memset(defaults->key_buffer, 0, 6);
    std::memcpy(defaults->key_buffer, &entry_type, 4);
  }

  btrv_fcb* defaults = nullptr;
  DFAC_TABLE* table = nullptr;
  char* buffer = nullptr;
};
STORE_SUITE_ON_BOTH_BACKENDS(PracticeDefaults);

TEST_P(PracticeDefaults, WritesAndReadsBackThroughARunTimeFieldTable) {
  key(19);
  ASSERT_EQ(_tld(BTR_GET_EQUAL, defaults, table, 0, "", 0, 0), BTR_KEY_NOT_FOUND);
  const std::int32_t entry_type = 19;
  std::memcpy(defaults->record_buffer, &entry_type, 4);
  buffer[0] = 'Y';
  buffer[1] = 3;
  const std::int32_t flags = 0x101;
  std::memcpy(buffer + 5, &flags, 4);
  ASSERT_EQ(_tld(BTR_INSERT, defaults, table, 0, "", 0, 1), 0);

  std::memset(buffer, 0x7f, 14);
  key(19);
  ASSERT_EQ(_tld(BTR_GET_EQUAL, defaults, table, 0, "", 0, 0), 0);
  EXPECT_EQ(buffer[0], 'Y');
  EXPECT_EQ(buffer[1], 3);
  EXPECT_EQ(buffer[2], 0);  // a text is NUL-padded to its place
  std::int32_t read_flags = 0;
  std::memcpy(&read_flags, buffer + 5, 4);
  EXPECT_EQ(read_flags, 0x101);
}

TEST_P(PracticeDefaults, AnUpdateKeepsFieldsThatTheFieldTableDoesNotName) {
  const std::int32_t entry_type = 19;
  const std::int16_t zero = 0;
  char key_fields[6];
  std::memcpy(key_fields, &entry_type, 4);
  std::memcpy(key_fields + 4, &zero, 2);
  test_support::TaggedRecord record(key_fields, 6);
  record.add(154, 'N').add(156, 'Q').add(157, 'R');
  ASSERT_EQ(practice.insert("zorv2000.ttl", record.data(), record.size()), 0);

  key(19);
  ASSERT_EQ(_tld(BTR_GET_EQUAL, defaults, table, 0, "", 0, 0), 0);
  buffer[0] = 'Y';
  // A host may clear the record buffer's tagged part between reading and updating: the other
  // fields come from the record as stored, not from the buffer.
  std::memset(defaults->record_buffer + 6, 0, static_cast<std::size_t>(defaults->record_length - 6));
  ASSERT_EQ(_tld(BTR_UPDATE, defaults, table, 0, "", 0, 1), 0);

  char other_fields[2] = {0, 0};
  FAC_ENTRY others[] = {{156, 1, 0, 0, &other_fields[0]}, {157, 1, 0, 0, &other_fields[1]}, {-1, 0, 0, 0, nullptr}};
  key(19);
  ASSERT_EQ(_tld(BTR_GET_EQUAL, defaults, others, 0, "", 0, 0), 0);
  EXPECT_EQ(other_fields[0], 'Q');
  EXPECT_EQ(other_fields[1], 'R');
  ASSERT_EQ(_tld(BTR_GET_EQUAL, defaults, table, 0, "", 0, 0), 0);
  EXPECT_EQ(buffer[0], 'Y');
}

TEST_P(PracticeDefaults, AnUpdateOverADamagedRecordIsRefusedAndLosesNoField) {
  const std::int32_t entry_type = 19;
  char key_fields[6] = {};
  std::memcpy(key_fields, &entry_type, 4);
  test_support::TaggedRecord record(key_fields, 6);
  record.add(156, 'Q').add(157, 'R').add(999, std::int32_t{0});
  std::vector<char> damaged(record.data(), record.data() + record.size());
  const std::uint16_t claimed = 60000;  // the last field claims more bytes than the record holds
  std::memcpy(&damaged[damaged.size() - 6], &claimed, sizeof claimed);
  ASSERT_EQ(practice.insert("zorv2000.ttl", damaged.data(), static_cast<int>(damaged.size())), 0);

  platform::ReportCapture reports;
  key(19);
  EXPECT_EQ(_tld(BTR_GET_EQUAL, defaults, table, 0, "", 0, 0), BTR_IO_ERROR);
  buffer[0] = 'Y';
  EXPECT_EQ(_tld(BTR_UPDATE, defaults, table, 0, "", 0, 0), BTR_IO_ERROR);
  key(19);
  ASSERT_EQ(_bt(BTR_GET_EQUAL, defaults, 0, "", 0, 0), 0);
  EXPECT_EQ(std::string(defaults->record_buffer, damaged.size()), std::string(damaged.data(), damaged.size()));
}

TEST_P(PracticeDefaults, FieldsThatDoNotFitTheRecordAreNotWritten) {
  DFAC_TABLE* big = nullptr;
  char* big_buffer = nullptr;
  ASSERT_EQ(dfac_init(&big, &big_buffer, 2000, 0), 0);
  ASSERT_EQ(dfac_addtype(big, 1, big_buffer, 2000, FAC_KIND_RAW), 0);
  key(44);
  std::memcpy(defaults->record_buffer, defaults->key_buffer, 6);
  platform::ReportCapture reports;
  EXPECT_EQ(_tld(BTR_INSERT, defaults, big, 0, "", 0, 1), BTR_DATA_BUFFER_TOO_SHORT);
  EXPECT_EQ(reports.lines().size(), 1u);
  key(44);
  EXPECT_EQ(_tld(BTR_GET_EQUAL, defaults, big, 0, "", 0, 0), BTR_KEY_NOT_FOUND);
  dfac_free(&big);
}

TEST(RunTimeFieldTables, RefuseUnusableFields) {
  DFAC_TABLE* table = nullptr;
  char* buffer = nullptr;
  ASSERT_EQ(dfac_init(&table, &buffer, 8, 0), 0);
  EXPECT_EQ(dfac_addtype(table, 0, buffer, 4, 0), 1);
  EXPECT_EQ(dfac_addtype(table, -1, buffer, 4, 0), 1);
  EXPECT_EQ(dfac_addtype(table, 5, nullptr, 4, 0), 1);
  EXPECT_EQ(dfac_addtype(table, 5, buffer, 0, 0), 1);
  EXPECT_EQ(dfac_addtype(nullptr, 5, buffer, 4, 0), 1);
  EXPECT_EQ(dfac_entries(table)[0].field, -1);
  EXPECT_EQ(dfac_init(nullptr, &buffer, 8, 0), 1);
  dfac_free(&table);
  EXPECT_EQ(table, nullptr);
}

}  // namespace
