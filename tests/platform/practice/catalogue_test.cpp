#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <tuple>
#include <type_traits>

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

// Each tagged field is stored as a 4-byte tag, a 2-byte length and its bytes.
constexpr int kTaggedFieldOverhead = 6;

// What a field layout must be to land in its tagged part: inside it, no two fields overlapping
// or sharing a tag, and small enough, all present at once, for the record's tagged area.
void expect_layout_fits(const char* name, const TAGGED_FIELD_LAYOUT* layout, int part_size, int tagged_area) {
  SCOPED_TRACE(name);
  ASSERT_NE(layout, nullptr);
  std::set<int> tags;
  std::vector<bool> used(static_cast<std::size_t>(part_size), false);
  int stored = 0;
  for (const TAGGED_FIELD_LAYOUT* field = layout; field->tag != -1; ++field) {
    SCOPED_TRACE("tag " + std::to_string(field->tag));
    EXPECT_TRUE(tags.insert(field->tag).second) << "tag used twice";
    ASSERT_GE(field->offset, 0);
    ASSERT_GT(field->length, 0);
    ASSERT_LE(field->offset + field->length, part_size);
    for (int byte = field->offset; byte < field->offset + field->length; ++byte) {
      EXPECT_FALSE(used[static_cast<std::size_t>(byte)]) << "overlaps another field at byte " << byte;
      used[static_cast<std::size_t>(byte)] = true;
    }
    stored += kTaggedFieldOverhead + field->length;
  }
  EXPECT_FALSE(tags.empty());
  EXPECT_LE(stored, tagged_area);
}

bool same_keys(const std::vector<platform::KeyDefinition>& a, const std::vector<platform::KeyDefinition>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t key = 0; key < a.size(); ++key) {
    if (a[key].duplicates != b[key].duplicates || a[key].segments.size() != b[key].segments.size()) return false;
    for (std::size_t part = 0; part < a[key].segments.size(); ++part) {
      const platform::KeySegment& x = a[key].segments[part];
      const platform::KeySegment& y = b[key].segments[part];
      if (x.offset != y.offset || x.length != y.length || x.type != y.type) return false;
    }
  }
  return true;
}

// One record type's entry against the catalogue table of its file name.
template <class Record>
void expect_entry_matches_catalogue() {
  using traits = pm_record_traits<Record>;
  SCOPED_TRACE(traits::file_name);
  const platform::TableDefinition* table = platform::find_practice_table(traits::file_name);
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->file_name, traits::file_name);
  EXPECT_EQ(table->record_length, static_cast<int>(sizeof(Record)));
  EXPECT_EQ(table->key_buffer_length, traits::key_length);
  EXPECT_EQ(table->tagged, traits::tagged);
  EXPECT_TRUE(same_keys(table->keys, traits::keys()));
  constexpr bool has_tagged_part = !std::is_same_v<typename traits::tld_type, PM_NO_TAGGED_PART>;
  EXPECT_EQ(traits::tagged_fields() != nullptr, has_tagged_part);
  if (has_tagged_part) {
    EXPECT_TRUE(traits::tagged) << "a tagged part needs a tagged table";
    expect_layout_fits(traits::file_name, traits::tagged_fields(), static_cast<int>(sizeof(typename traits::tld_type)),
                       traits::record_length - traits::key_length);
  }
}

template <class... Records>
void expect_entries_match_catalogue(std::tuple<Records...>*) {
  (expect_entry_matches_catalogue<Records>(), ...);
  EXPECT_EQ(platform::practice_tables().size(), sizeof...(Records)) << "one record type per table";
}

TEST(Catalogue, EveryRecordTypesEntryIsItsTableInTheCatalogue) {
  expect_entries_match_catalogue(static_cast<platform::PracticeRecordTypes*>(nullptr));
  std::set<std::string> names;
  for (const platform::TableDefinition& table : platform::practice_tables()) {
    EXPECT_TRUE(names.insert(table.file_name).second) << table.file_name << " twice";
  }
}

TEST(Catalogue, EveryTaggedPartLayoutFitsItsPartAndItsTable) {
  struct Layout {
    const char* name;
    const TAGGED_FIELD_LAYOUT* fields;
    int part_size;
    const char* file_name;
  };
  const Layout layouts[] = {
      {"report header", zorv3000_header_tagged_fields(), sizeof(ZORV3000_HEADER_TLD), "zorv3000.ttl"},
      {"report fly sheet", zorv3000_fly_sheet_tagged_fields(), sizeof(ZORV3000_FLY_SHEET_TLD), "zorv3000.ttl"},
      {"report options", zorv3000_options_tagged_fields(), sizeof(ZORV3000_OPTIONS_TLD), "zorv3000.ttl"},
      {"report footer", zorv3000_footer_tagged_fields(), sizeof(ZORV3000_FOOTER_TLD), "zorv3000.ttl"},
      {"defaults entry 16", zorv2000_entry16_tagged_fields(), sizeof(ZORV2000_ENTRY16_TLD), "zorv2000.ttl"},
      {"defaults entry 19", zorv2000_entry19_tagged_fields(), sizeof(ZORV2000_ENTRY19_TLD), "zorv2000.ttl"},
      {"defaults entry 44", zorv2000_entry44_tagged_fields(), sizeof(ZORV2000_ENTRY44_TLD), "zorv2000.ttl"},
      {"company data", zorv1203_company_tagged_fields(), sizeof(ZORV1203_COMPANY_TLD), "ZORV1203.TTL"},
  };
  for (const Layout& layout : layouts) {
    const platform::TableDefinition* table = platform::find_practice_table(layout.file_name);
    ASSERT_NE(table, nullptr);
    expect_layout_fits(layout.name, layout.fields, layout.part_size, table->record_length - table->key_buffer_length);
  }
}

TEST(Catalogue, PracticeDefaultsEntriesKeepTheirPublishedTags) {
  // Entry 19 leaves byte 9 between its two flag words; entry 16 stores tag 973 before 975.
  struct Tagged {
    const TAGGED_FIELD_LAYOUT* fields;
    std::int32_t tag;
    int offset;
    int length;
  };
  const Tagged published[] = {
      {zorv2000_entry16_tagged_fields(), 965, 0, 2},  {zorv2000_entry16_tagged_fields(), 973, 10, 4},
      {zorv2000_entry16_tagged_fields(), 975, 14, 2}, {zorv2000_entry19_tagged_fields(), 155, 1, 2},
      {zorv2000_entry19_tagged_fields(), 158, 5, 4},  {zorv2000_entry19_tagged_fields(), 159, 10, 4},
      {zorv2000_entry44_tagged_fields(), 4401, 0, 6}, {zorv3000_header_tagged_fields(), 502, 4, 4},
      {zorv3000_options_tagged_fields(), 1400, 0, 4}, {zorv3000_fly_sheet_tagged_fields(), 1155, 10, 2},
  };
  for (const Tagged& expected : published) {
    SCOPED_TRACE(expected.tag);
    const TAGGED_FIELD_LAYOUT* field = expected.fields;
    while (field->tag != -1 && field->tag != expected.tag) ++field;
    ASSERT_EQ(field->tag, expected.tag);
    EXPECT_EQ(field->offset, expected.offset);
    EXPECT_EQ(field->length, expected.length);
  }
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
