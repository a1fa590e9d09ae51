// Helpers for checking a record's field list as a whole: give every field a value of its own,
// then read them all back. A getter that read another field's storage, or two fields that shared
// storage, would show as a wrong value.
#pragma once

#include <type_traits>

namespace test_support {

// A value for the field numbered `n` (from 1) that differs from every other field's and from the
// zero a new record holds. Flags cannot differ from one another, so they are all true.
template <typename T>
T field_value(int n) {
  if constexpr (std::is_same_v<T, bool>) {
    return true;
  } else if constexpr (std::is_floating_point_v<T>) {
    return n + 0.25;
  } else {
    return static_cast<T>(n);
  }
}

// The value of a new record's field (a function, since `unsigned int{}` does not parse).
template <typename T>
T zero_value() {
  return T{};
}

}  // namespace test_support

// FIELD and NAMED_FIELD forms that set, check against the numbering, or check for zero. They use
// `record` and a running `n` from the test.
#define TEST_SET_FIELD(field_type, name) record.Set##name(test_support::field_value<field_type>(++n));
#define TEST_SET_NAMED_FIELD(field_type, name, getter, setter) \
  record.setter(test_support::field_value<field_type>(++n));
#define TEST_EXPECT_FIELD(field_type, name) \
  EXPECT_EQ(record.Get##name(), test_support::field_value<field_type>(++n)) << #name;
#define TEST_EXPECT_NAMED_FIELD(field_type, name, getter, setter) \
  EXPECT_EQ(record.getter(), test_support::field_value<field_type>(++n)) << #getter;
#define TEST_EXPECT_ZERO_FIELD(field_type, name) \
  EXPECT_EQ(record.Get##name(), test_support::zero_value<field_type>()) << #name;
#define TEST_EXPECT_ZERO_NAMED_FIELD(field_type, name, getter, setter) \
  EXPECT_EQ(record.getter(), test_support::zero_value<field_type>()) << #getter;

#define TEST_SET_FIELDS(LIST) LIST(TEST_SET_FIELD, TEST_SET_NAMED_FIELD)
#define TEST_EXPECT_FIELDS(LIST) LIST(TEST_EXPECT_FIELD, TEST_EXPECT_NAMED_FIELD)
#define TEST_EXPECT_ZERO_FIELDS(LIST) LIST(TEST_EXPECT_ZERO_FIELD, TEST_EXPECT_ZERO_NAMED_FIELD)

// The same for records whose accessors are getName/setName.
#define TEST_SET_LOWER_CASE_FIELD(field_type, name) \
  record.set##name(test_support::field_value<field_type>(++n));
#define TEST_EXPECT_LOWER_CASE_FIELD(field_type, name) \
  EXPECT_EQ(record.get##name(), test_support::field_value<field_type>(++n)) << #name;
#define TEST_EXPECT_ZERO_LOWER_CASE_FIELD(field_type, name) \
  EXPECT_EQ(record.get##name(), test_support::zero_value<field_type>()) << #name;

#define TEST_SET_LOWER_CASE_FIELDS(LIST) LIST(TEST_SET_LOWER_CASE_FIELD, TEST_SET_NAMED_FIELD)
#define TEST_EXPECT_LOWER_CASE_FIELDS(LIST) LIST(TEST_EXPECT_LOWER_CASE_FIELD, TEST_EXPECT_NAMED_FIELD)
#define TEST_EXPECT_ZERO_LOWER_CASE_FIELDS(LIST) \
  LIST(TEST_EXPECT_ZERO_LOWER_CASE_FIELD, TEST_EXPECT_ZERO_NAMED_FIELD)
