// File: platform/practice/store_status.h
//
// StoreStatus: a record-store status (the numbers of record_store.h) that library code returns
// between its layers instead of a bare int, so that a result cannot be dropped unnoticed
// ([[nodiscard]]) and its common meanings have names.
//
// Usage:
//   const platform::StoreStatus found = clients.find(1, reference);
//   if (found.not_found()) return false;     // 4 or 9: the ordinary "no such client"
//   if (!found.ok()) return false;           // 3 no table, 2 damaged, ...: already reported
#pragma once

#include "platform/record_store.h"

namespace platform {

class [[nodiscard]] StoreStatus {
 public:
  constexpr StoreStatus() = default;
  constexpr explicit StoreStatus(int code) : code_(code) {}

  constexpr int code() const { return code_; }
  constexpr bool ok() const { return code_ == BTR_OK; }
  // No such key, or no further record: the ordinary end of a look-up or a walk.
  constexpr bool not_found() const { return code_ == BTR_KEY_NOT_FOUND || code_ == BTR_END_OF_FILE; }
  // The table is not open (its open failed): nothing was read or written.
  constexpr bool no_table() const { return code_ == BTR_FILE_NOT_OPEN; }
  // Neither success nor the ordinary end: something the caller should report or pass on.
  constexpr bool failed() const { return !ok() && !not_found(); }
  const char* text() const { return btr_status_text(code_); }

  friend constexpr bool operator==(StoreStatus a, StoreStatus b) { return a.code_ == b.code_; }
  friend constexpr bool operator!=(StoreStatus a, StoreStatus b) { return a.code_ != b.code_; }

 private:
  int code_ = BTR_OK;
};

}  // namespace platform
