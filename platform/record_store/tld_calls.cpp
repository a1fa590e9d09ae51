// Tagged tables opened by name and used through field tables.
#include "platform/field_tables.h"
#include "store_report.h"
#include "table_connection.h"
#include "tagged_operation.h"

namespace platform {

namespace {

bool is_write(int operation) { return operation == BTR_INSERT || operation == BTR_UPDATE; }

}  // namespace

int run_through_field_table(int operation, btrv_fcb* handle, int key_number, const FAC_ENTRY* fields,
                            const char* source_file, int line, int report_flag) {
  if (handle == nullptr || handle->connection == nullptr || fields == nullptr) {
    return _bt(operation, handle, key_number, source_file, line, report_flag);
  }
  // The tagged fields follow the record's key fields.
  const int key_length = handle->connection->definition().key_buffer_length;
  if (is_write(operation)) {
    const int status = operation == BTR_INSERT ? TLDInsertFacNoTCB(handle, fields, key_length)
                                               : TLDUpdateFacNoTCB(handle, fields, key_length);
    if (status != BTR_OK) {
      handle->last_status = status;
      handle->last_operation = operation;
      handle->last_key_number = key_number;
      if (report_flag != 0) report_store_failure(handle->file_name, operation, key_number, status, source_file, line);
      return status;
    }
  }
  const int status = _bt(operation, handle, key_number, source_file, line, report_flag);
  // A "get key" seek reads no record, so there are no fields to take from it.
  if (status != BTR_OK || is_write(operation) || operation == BTR_DELETE || is_key_only_read(operation)) return status;
  return TLDGetFacNoTCB(handle, fields, key_length);
}

}  // namespace platform

extern "C" {

int _tldopen(btrv_fcb** handle, const char* table_spec, const char* data_path, int, const char* source_file,
             int line, int report_flag) {
  return _btopen(handle, 0, 0, 0, 0, data_path, table_spec, kRecordStoreAccessWord, 0, source_file, line,
                 report_flag);
}

int _tld(int operation, btrv_fcb* handle, const FAC_ENTRY* table, int, const char* source_file, int line,
         int report_flag) {
  return platform::run_through_field_table(operation, handle, 0, table, source_file, line, report_flag);
}

int _tldclose(btrv_fcb** handle, const char* source_file, int line, int report_flag) {
  return _btclose(handle, source_file, line, report_flag);
}

}  // extern "C"
