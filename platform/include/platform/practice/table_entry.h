// File: platform/practice/table_entry.h
//
// How a practice table is described once. Each table's header (clients.h, jobs.h, ...) declares
// its packed record, asserts the record's size and every field's offset, and then gives one
// PLATFORM_PM_RECORD entry: file name, description, key buffer length, whether the record keeps
// tagged fields, its tagged part and field layout, and its keys built from the record's own
// members. The catalogue (catalogue.h) and the table classes (PM_DBASE) both read that entry, so
// a table file is made with exactly the layout that the programs open it with.
//
// Usage (a new table):
//   #pragma pack(push, 1)
//   struct ZORV9000_REC { std::int32_t number; char name[20]; };
//   #pragma pack(pop)
//   static_assert(sizeof(ZORV9000_REC) == 24 && offsetof(ZORV9000_REC, name) == 4, "ZORV9000_REC");
//   PLATFORM_PM_RECORD(ZORV9000_REC, "zorv9000.ttl", "examples", 24, false, PM_NO_TAGGED_PART, nullptr,
//                      PM_UNIQUE_KEY(PM_KEY_FIELD(ZORV9000_REC, number)),
//                      PM_DUPLICATE_KEY(PM_KEY_FIELD(ZORV9000_REC, name)));
// and the record type joins PracticeRecordTypes in catalogue.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "platform/record_store.h"

// Where a tagged field lands in a tagged part: the layout from which an XFA_TPLATE makes its
// field table. Ended by tag -1.
struct TAGGED_FIELD_LAYOUT {
  std::int32_t tag;
  std::int16_t offset;  // in the tagged part
  std::int16_t length;
  std::int16_t kind;    // FAC_KIND_RAW or FAC_KIND_TEXT
};

// The tagged part of a record type that has none.
struct PM_NO_TAGGED_PART {
  char unused;
};

// pm_record_traits<Record> is a record type's catalogue entry (PLATFORM_PM_RECORD below):
//   static constexpr const char* file_name, description;
//   static constexpr int record_length, key_length;  static constexpr bool tagged;
//   using tld_type = ...;                                // the tagged part, or PM_NO_TAGGED_PART
//   static const TAGGED_FIELD_LAYOUT* tagged_fields();   // null without a tagged part
//   static std::vector<platform::KeyDefinition> keys();
template <class Record>
struct pm_record_traits;

namespace platform {

// The segment type of a key field, from the field's own type: a text for a char array, an
// integer of the field's signedness otherwise.
template <class Field>
constexpr KeySegmentType key_segment_type_of() {
  if constexpr (std::is_array_v<Field>) {
    static_assert(std::is_same_v<std::remove_extent_t<Field>, char>, "a key array must be a text");
    return KeySegmentType::text;
  } else {
    static_assert(std::is_integral_v<Field>, "a key field must be an integer or a text");
    return std::is_signed_v<Field> ? KeySegmentType::signed_integer : KeySegmentType::unsigned_integer;
  }
}

// The catalogue's definition of a record type's table, from its entry.
template <class Record>
TableDefinition practice_table_definition() {
  using traits = pm_record_traits<Record>;
  return TableDefinition{traits::file_name, traits::description, traits::record_length, traits::key_length,
                         traits::tagged, traits::keys()};
}

}  // namespace platform

// A key segment over a member of the record: its offset and size, typed by the member's type.
#define PM_KEY_FIELD(Record, member)                                                                  \
  ::platform::KeySegment {                                                                            \
    static_cast<int>(offsetof(Record, member)), static_cast<int>(sizeof(Record::member)),             \
        ::platform::key_segment_type_of<std::remove_cv_t<decltype(Record::member)>>()                 \
  }
// The same, compared byte by byte whatever the member's type.
#define PM_RAW_KEY_FIELD(Record, member)                                                              \
  ::platform::KeySegment {                                                                            \
    static_cast<int>(offsetof(Record, member)), static_cast<int>(sizeof(Record::member)),             \
        ::platform::KeySegmentType::raw                                                               \
  }
#define PM_UNIQUE_KEY(...) ::platform::KeyDefinition{{__VA_ARGS__}, false}
#define PM_DUPLICATE_KEY(...) ::platform::KeyDefinition{{__VA_ARGS__}, true}

// One table's entry: the record type, its file name, description, key buffer length, whether
// it keeps tagged fields, its tagged part and field layout (PM_NO_TAGGED_PART and nullptr for
// none), then its keys in key-number order.
#define PLATFORM_PM_RECORD(Record, File, Description, KeyLength, Tagged, Tld, Fields, ...)        \
  template <>                                                                                       \
  struct pm_record_traits<Record> {                                                                 \
    static constexpr const char* file_name = File;                                                  \
    static constexpr const char* description = Description;                                         \
    static constexpr int record_length = static_cast<int>(sizeof(Record));                          \
    static constexpr int key_length = KeyLength;                                                    \
    static constexpr bool tagged = Tagged;                                                          \
    using tld_type = Tld;                                                                           \
    static const TAGGED_FIELD_LAYOUT* tagged_fields() { return Fields; }                            \
    static std::vector<::platform::KeyDefinition> keys() { return {__VA_ARGS__}; }                  \
  }
