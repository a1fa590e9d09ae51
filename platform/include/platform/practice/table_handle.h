// File: platform/practice/table_handle.h
//
// TableHandle owns one open table (btrv_fcb) and closes it when it goes, on every path. A failed
// open leaves it empty with the open's status: there is never a handle to dereference that the
// open did not give.
//
// Usage:
//   platform::TableHandle clients;
//   const platform::StoreStatus opened = clients.open(data_path, "ZORV1005.TTL", 28, 15, "getID");
//   if (!opened.ok()) return false;                    // 12: no such table, 30: not a table, ...
//   ... _bt(BTR_GET_EQUAL, clients.get(), 1, __FILE__, __LINE__, 0) ...
//   // closed here, whatever happened
#pragma once

#include "platform/export.h"
#include "platform/practice/store_status.h"
#include "platform/record_store.h"

namespace platform {

class PLATFORM_API TableHandle {
 public:
  TableHandle() = default;
  ~TableHandle() { close(); }
  TableHandle(TableHandle&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
  TableHandle& operator=(TableHandle&& other) noexcept;
  TableHandle(const TableHandle&) = delete;
  TableHandle& operator=(const TableHandle&) = delete;

  // Opens `file_name` in `data_path` with buffers of the given lengths (0: the table's own),
  // closing whatever this owned first. A failure is reported on the report channel with
  // `call_tag` and leaves this empty.
  StoreStatus open(const char* data_path, const char* file_name, int record_length, int key_length,
                   const char* call_tag);
  void close();

  bool is_open() const { return handle_ != nullptr; }
  btrv_fcb* get() const { return handle_; }

 private:
  btrv_fcb* handle_ = nullptr;
};

}  // namespace platform
