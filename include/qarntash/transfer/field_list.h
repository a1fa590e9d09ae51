// File: qarntash/transfer/field_list.h
//
// How the transfer records declare their fields. The records are plain value holders with many
// amounts, each read by a getter and written by a setter of the same name. Each record writes its
// fields once, as a field list in its own header, in the order in which they lie in the record:
//
//   #define QARNTASH_PROPRIETOR_LIABILITIES_FIELDS(FIELD, NAMED_FIELD)
//     FIELD(double, TradeCreditors)
//     FIELD(double, LoansAndOverdrawnBankAccounts)
//     FIELD(double, OtherLiabilities)
//
// (each line but the last ending in a backslash).
//
// - FIELD(type, Name): held as m_Name, read by `type GetName() const`, written by
//   `void SetName(type)` (or getName/setName where the record uses lower-case accessors).
// - NAMED_FIELD(type, Name, getter, setter): held as m_Name, with accessors that the host programs
//   know under other names (GetincomeType, SetIncomeType).
//
// The record's class expands its list twice: QARNTASH_DECLARE_ACCESSORS (or
// QARNTASH_DECLARE_LOWER_CASE_ACCESSORS) in its public part and QARNTASH_DECLARE_MEMBERS in its
// private part. Every member starts at zero: 0.0, false, 0.
//
// The records are byte-packed, and host programs built for the 32-bit suite see `long` as 4 bytes,
// so a field declared `long` is stored in 4 bytes and its accessors still take and give `long`.
#pragma once

#include <cstdint>

namespace qarntash_transfer_detail {

// How a field of an accessor type is stored in a packed record.
template <typename T>
struct Stored {
  using type = T;
};
template <>
struct Stored<long> {
  using type = std::int32_t;
};

}  // namespace qarntash_transfer_detail

#define QARNTASH_NAMED_FIELD_ACCESSORS_(field_type, name, getter, setter)                       \
  field_type getter() const { return static_cast<field_type>(m_##name); }                       \
  void setter(field_type value) {                                                               \
    m_##name = static_cast<typename qarntash_transfer_detail::Stored<field_type>::type>(value); \
  }
#define QARNTASH_FIELD_ACCESSORS_(field_type, name) \
  QARNTASH_NAMED_FIELD_ACCESSORS_(field_type, name, Get##name, Set##name)
#define QARNTASH_LOWER_CASE_FIELD_ACCESSORS_(field_type, name) \
  QARNTASH_NAMED_FIELD_ACCESSORS_(field_type, name, get##name, set##name)
#define QARNTASH_NAMED_FIELD_MEMBER_(field_type, name, getter, setter) \
  typename qarntash_transfer_detail::Stored<field_type>::type m_##name{};
#define QARNTASH_FIELD_MEMBER_(field_type, name) QARNTASH_NAMED_FIELD_MEMBER_(field_type, name, , )

#define QARNTASH_DECLARE_ACCESSORS(LIST) LIST(QARNTASH_FIELD_ACCESSORS_, QARNTASH_NAMED_FIELD_ACCESSORS_)
#define QARNTASH_DECLARE_LOWER_CASE_ACCESSORS(LIST) \
  LIST(QARNTASH_LOWER_CASE_FIELD_ACCESSORS_, QARNTASH_NAMED_FIELD_ACCESSORS_)
#define QARNTASH_DECLARE_MEMBERS(LIST) LIST(QARNTASH_FIELD_MEMBER_, QARNTASH_NAMED_FIELD_MEMBER_)
