// Tagged tables opened by name and used through field tables.
#include "platform/field_tables.h"
#include "store_report.h"
#include "table_connection.h"

namespace {

bool is_write(int operation) { return operation == BTR_INSERT || operation == BTR_UPDATE; }

}  // namespace

extern "C" {

int _tldopen(btrv_fcb** handle, const char* table_spec, const char* data_path, int, const char* source_file,
             int line, int report_flag) {
  return _btopen(handle, 0, 0, 0, 0, data_path, table_spec, kRecordStoreAccessWord, 0, source_file, line,
                 report_flag);
}

int _tld(int operation, btrv_fcb* handle, const FAC_ENTRY* table, int, const char* source_file, int line,
         int report_flag) {
  if (handle == nullptr || handle->connection == nullptr) return _bt(operation, handle, 0, source_file, line, report_flag);
  const int key_length = handle->connection->definition().key_buffer_length;
  if (is_write(operation) && table != nullptr) {
    const int status = operation == BTR_INSERT ? TLDInsertFacNoTCB(handle, table, key_length)
                                               : TLDUpdateFacNoTCB(handle, table, key_length);
    if (status != BTR_OK) {
      handle->last_status = status;
      handle->last_operation = operation;
      if (report_flag != 0) platform::report_store_failure(handle->file_name, operation, 0, status, source_file, line);
      return status;
    }
  }
  const int status = _bt(operation, handle, 0, source_file, line, report_flag);
  if (status == BTR_OK && !is_write(operation) && operation != BTR_DELETE && table != nullptr) {
    return TLDGetFacNoTCB(handle, table, key_length);
  }
  return status;
}

int _tldclose(btrv_fcb** handle, const char* source_file, int line, int report_flag) {
  return _btclose(handle, source_file, line, report_flag);
}

}  // extern "C"
