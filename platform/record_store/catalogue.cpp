// The catalogue of practice tables: lengths and keys of every table file the suite opens.
// Where the suite's programs fix only part of a layout, the rest is this platform's choice and is
// documented beside the record in platform/practice_tables.h.
#include <cstddef>
#include <filesystem>
#include <system_error>

#include "platform/practice_tables.h"
#include "store_settings.h"

namespace {

using platform::KeyDefinition;
using platform::KeySegment;
using platform::KeySegmentType;
using platform::TableDefinition;

constexpr KeySegmentType kSigned = KeySegmentType::signed_integer;
constexpr KeySegmentType kUnsigned = KeySegmentType::unsigned_integer;
constexpr KeySegmentType kText = KeySegmentType::text;
constexpr KeySegmentType kRaw = KeySegmentType::raw;

KeyDefinition unique_key(std::vector<KeySegment> segments) { return KeyDefinition{std::move(segments), false}; }
KeyDefinition duplicate_key(std::vector<KeySegment> segments) { return KeyDefinition{std::move(segments), true}; }

KeySegment s32(int offset) { return {offset, 4, kSigned}; }
KeySegment s16(int offset) { return {offset, 2, kSigned}; }
KeySegment u8(int offset) { return {offset, 1, kUnsigned}; }
KeySegment text(int offset, int length) { return {offset, length, kText}; }

TableDefinition table(const char* file_name, const char* description, int record_length, int key_buffer_length,
                      bool tagged, std::vector<KeyDefinition> keys) {
  return TableDefinition{file_name, description, record_length, key_buffer_length, tagged, std::move(keys)};
}

std::vector<TableDefinition> build_catalogue() {
  return {
      table("ZORV1005.TTL", "clients", 28, 15, false,
            {unique_key({text(0, 11)}), unique_key({u8(11), s32(12)})}),
      table("ZORV1008.TTL", "addresses", 4604, 16, true,
            {unique_key({u8(0), s32(1), s32(5), s32(9), {13, 3, kRaw}})}),
      table("ZORV1009.TTL", "address links", 275, 11, true, {unique_key({u8(0), s32(1), s32(5), s16(9)})}),
      table("zorv1012.ttl", "other parties", 128, 11, false, {unique_key({text(0, 11)}), unique_key({s32(11)})}),
      table("zorv1101.ttl", "individuals", 200, 61, false, {unique_key({s32(0)}), duplicate_key({text(76, 61)})}),
      table("zorv1201.ttl", "trade dates", 61, 43, false,
            {unique_key({s32(0)}), duplicate_key({text(4, 39), s32(0)})}),
      table("zorv1202.ttl", "accounting periods", 14, 10, false,
            {duplicate_key({s32(0), s32(4), s16(8)}), unique_key({s32(10)})}),
      table("ZORV1203.TTL", "company data", 16400, 16, true, {unique_key({s32(0), s32(4), s32(8), s32(12)})}),
      table("zorv1370.ttl", "trust entries", 2018, 18, false,
            {unique_key({s32(0), s16(4), s32(6), s32(10), s32(14)}),
             unique_key({s32(0), s32(6), s16(4), s32(10), s32(14)})}),
      table("zorv1371.ttl", "relationships", 527, 15, true,
            {unique_key({s32(11)}), duplicate_key({u8(6), s32(7), u8(5), u8(0), s32(1)}),
             unique_key({u8(0), s32(1), u8(5), u8(6), s32(7), s32(11)})}),
      table("zorv1410.ttl", "agents", 1024, 8, true, {unique_key({s32(0), s32(4)})}),
      table("zorv1411.ttl", "job types", 64, 41, false,
            {unique_key({s32(11)}), unique_key({text(0, 11)}), duplicate_key({text(19, 41)}),
             unique_key({s32(15), s32(11)})}),
      table("zorv1426.ttl", "dated events", 64, 17, false,
            {unique_key({s32(14)}), unique_key({s32(10), s32(14)}), unique_key({s16(5), s16(7), s32(10), s32(14)}),
             unique_key({u8(0), s32(1), s16(5), s16(7), s32(10), s32(14)})}),
      table("zorv1431.ttl", "job stages", 272, 12, true,
            {unique_key({s32(0), s32(8)}), duplicate_key({s32(4), s32(0)}), unique_key({s32(0), s32(4), s32(8)})}),
      table("zorv1445.ttl", "job recurrences", 277, 17, false,
            {unique_key({s32(0)}), unique_key({u8(4), s32(5), s32(13), s32(17), s32(0)})}),
      table("zorv1446.ttl", "stages reached by job recurrences", 32, 13, false,
            {unique_key({s32(0), s32(4)}), duplicate_key({s32(8), s32(0), s32(4), u8(12)})}),
      table("zorv2000.ttl", "practice defaults", 1030, 6, true, {unique_key({s32(0), s16(4)})}),
      table("zorv2006.ttl", "client-year entries", 10, 8, false, {unique_key({s32(0), s32(4)})}),
      table("zorv3000.ttl", "report settings", 512, 6, true, {unique_key({s32(0), s16(4)})}),
      table("zorv7000.ttl", "non-resident entries", 2020, 20, false,
            {unique_key({s32(0), s32(4), s32(8), s32(12), s32(16)})}),
  };
}

constexpr std::int16_t kRaw4 = FAC_KIND_RAW;
constexpr std::int16_t kText4 = FAC_KIND_TEXT;

#define FIELD_AT(Type, member, tag, kind) \
  TAGGED_FIELD_LAYOUT { tag, static_cast<std::int16_t>(offsetof(Type, member)), \
                        static_cast<std::int16_t>(sizeof(Type::member)), kind }

std::vector<TAGGED_FIELD_LAYOUT> build_zorv1008_fields() {
  std::vector<TAGGED_FIELD_LAYOUT> fields = {
      FIELD_AT(ZORV1008_TLD, line1, 101, kText4),          FIELD_AT(ZORV1008_TLD, line2, 102, kText4),
      FIELD_AT(ZORV1008_TLD, line3, 103, kText4),          FIELD_AT(ZORV1008_TLD, line4, 104, kText4),
      FIELD_AT(ZORV1008_TLD, line5, 105, kText4),          FIELD_AT(ZORV1008_TLD, postcode, 106, kText4),
      FIELD_AT(ZORV1008_TLD, contact_flags, 107, kRaw4),   FIELD_AT(ZORV1008_TLD, email_flags, 108, kRaw4),
      FIELD_AT(ZORV1008_TLD, further_text_1, 109, kText4), FIELD_AT(ZORV1008_TLD, further_text_2, 110, kText4),
      FIELD_AT(ZORV1008_TLD, further_text_3, 111, kText4), FIELD_AT(ZORV1008_TLD, further_value, 112, kRaw4),
  };
  for (int i = 0; i < 8; ++i) {
    const auto contact = static_cast<int>(offsetof(ZORV1008_TLD, contacts) + i * sizeof(ZORV1008_CONTACT));
    const auto email = static_cast<int>(offsetof(ZORV1008_TLD, emails) + i * sizeof(ZORV1008_EMAIL));
    fields.push_back({301 + 2 * i, static_cast<std::int16_t>(contact), 21, kText4});
    fields.push_back({302 + 2 * i, static_cast<std::int16_t>(contact + 21), 31, kText4});
    fields.push_back({201 + 2 * i, static_cast<std::int16_t>(email), 255, kText4});
    fields.push_back({202 + 2 * i, static_cast<std::int16_t>(email + 255), 31, kText4});
  }
  fields.push_back({-1, 0, 0, 0});
  return fields;
}

}  // namespace

const TAGGED_FIELD_LAYOUT* zorv1371_tagged_fields() {
  static const TAGGED_FIELD_LAYOUT fields[] = {FIELD_AT(ZORV1371_TLD, start_date, 101, kRaw4),
                                               FIELD_AT(ZORV1371_TLD, end_date, 102, kRaw4),
                                               FIELD_AT(ZORV1371_TLD, share, 103, kRaw4),
                                               {-1, 0, 0, 0}};
  return fields;
}

const TAGGED_FIELD_LAYOUT* zorv1008_tagged_fields() {
  static const std::vector<TAGGED_FIELD_LAYOUT> fields = build_zorv1008_fields();
  return fields.data();
}

const TAGGED_FIELD_LAYOUT* zorv1009_tagged_fields() {
  static const TAGGED_FIELD_LAYOUT fields[] = {FIELD_AT(ZORV1009_TLD, linked_address, 101, kRaw4),
                                               FIELD_AT(ZORV1009_TLD, override_address, 102, kRaw4),
                                               {-1, 0, 0, 0}};
  return fields;
}

const TAGGED_FIELD_LAYOUT* zorv1431_tagged_fields() {
  static const TAGGED_FIELD_LAYOUT fields[] = {FIELD_AT(ZORV1431_TLD, description, 101, kText4),
                                               FIELD_AT(ZORV1431_TLD, due_days, 102, kRaw4),
                                               FIELD_AT(ZORV1431_TLD, client_type_exclusions, 103, kRaw4),
                                               FIELD_AT(ZORV1431_TLD, flags, 104, kRaw4),
                                               {-1, 0, 0, 0}};
  return fields;
}

const TAGGED_FIELD_LAYOUT* zorv1410_tagged_fields() {
  static const TAGGED_FIELD_LAYOUT fields[] = {FIELD_AT(ZORV1410_TLD, name, 101, kText4),
                                               FIELD_AT(ZORV1410_TLD, reference, 102, kText4),
                                               FIELD_AT(ZORV1410_TLD, phone, 103, kText4),
                                               FIELD_AT(ZORV1410_TLD, email, 104, kText4),
                                               {-1, 0, 0, 0}};
  return fields;
}

namespace platform {

const std::vector<TableDefinition>& practice_tables() {
  static const std::vector<TableDefinition> catalogue = build_catalogue();
  return catalogue;
}

const TableDefinition* find_practice_table(const std::string& file_name) {
  for (const TableDefinition& definition : practice_tables()) {
    if (same_file_name(definition.file_name, file_name)) return &definition;
  }
  return nullptr;
}

int create_practice_table(const std::string& data_path, const std::string& file_name) {
  const TableDefinition* definition = find_practice_table(file_name);
  if (definition == nullptr) return BTR_INVALID_FILE_NAME;
  return create_table_file(data_path, *definition);
}

int create_practice_data_folder(const std::string& data_path) {
  std::error_code error;
  if (!data_path.empty()) std::filesystem::create_directories(data_path, error);
  if (error) return BTR_IO_ERROR;
  for (const TableDefinition& definition : practice_tables()) {
    if (!find_table_file(data_path, definition.file_name).empty()) continue;
    const int status = create_table_file(data_path, definition);
    if (status != BTR_OK) return status;
  }
  return BTR_OK;
}

}  // namespace platform
