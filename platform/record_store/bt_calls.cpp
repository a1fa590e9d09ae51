// The calls through which programs open, use and close keyed tables.
#include <cstring>
#include <memory>
#include <string>

#include "platform/errors.h"
#include "platform/record_store.h"
#include "store_faults_hook.h"
#include "store_report.h"
#include "table_backend.h"

namespace {

const char* or_empty(const char* text) { return text != nullptr ? text : ""; }

// Frees a handle that _btopen made.
void free_handle(btrv_fcb* handle) {
  if (handle == nullptr) return;
  delete handle->connection;
  delete[] handle->record_buffer;
  delete[] handle->key_buffer;
  delete handle;
}

int open_table(btrv_fcb** handle, int record_length, int key_length, const char* data_path,
               const char* file_name, const char* access_word) {
  if (handle == nullptr) return BTR_INVALID_OPERATION;
  *handle = nullptr;
  if (access_word == nullptr || std::strcmp(access_word, kRecordStoreAccessWord) != 0) {
    return BTR_INVALID_ACCESS_WORD;
  }
  if (file_name == nullptr || *file_name == '\0') return BTR_INVALID_FILE_NAME;
  if (record_length < 0 || record_length > kRecordStoreMaxRecordLength) return BTR_DATA_BUFFER_TOO_SHORT;
  if (key_length < 0 || key_length > kRecordStoreMaxKeyLength) return BTR_KEY_BUFFER_TOO_SHORT;
  std::unique_ptr<platform::TableConnection> connection;
  const int status = platform::open_table_connection(or_empty(data_path), file_name, &connection);
  if (status != BTR_OK) return status;
  const platform::TableDefinition& definition = connection->definition();
  auto opened = std::make_unique<btrv_fcb>();
  opened->record_length = record_length != 0 ? record_length : definition.record_length;
  opened->key_length = key_length != 0 ? key_length : definition.key_buffer_length;
  opened->record_buffer = new char[static_cast<std::size_t>(opened->record_length) + 1]();
  opened->key_buffer = new char[static_cast<std::size_t>(opened->key_length) + 1]();
  opened->file_name = file_name;
  opened->connection = connection.release();
  *handle = opened.release();
  return BTR_OK;
}

// A test's forced failure of an open: the caller gets the status and no handle.
int refuse_open(btrv_fcb** handle, int status) {
  if (handle != nullptr) *handle = nullptr;
  return status;
}

}  // namespace

extern "C" {

int _btopen(btrv_fcb** handle, int, int, int record_length, int key_length, const char* data_path,
            const char* file_name, const char* access_word, int, const char* source_file, int line,
            int report_flag) {
  const int forced = platform::forced_store_status(platform::kStoreOpenOperation);
  const int status = forced == platform::kNotForced
                         ? open_table(handle, record_length, key_length, data_path, file_name, access_word)
                         : refuse_open(handle, forced);
  if (status != BTR_OK && report_flag != 0) {
    platform::report_store_failure(or_empty(file_name), 0, 0, status, source_file, line);
  }
  return status;
}

int _bt(int operation, btrv_fcb* handle, int key_number, const char* source_file, int line, int report_flag) {
  if (handle == nullptr || handle->connection == nullptr) {
    if (report_flag != 0) platform::report_store_failure("", operation, key_number, BTR_FILE_NOT_OPEN, source_file, line);
    return BTR_FILE_NOT_OPEN;
  }
  const int forced = platform::forced_store_status(operation);
  const int status = forced == platform::kNotForced ? handle->connection->run(operation, key_number, *handle) : forced;
  handle->last_status = status;
  handle->last_operation = operation;
  handle->last_key_number = key_number;
  if (status != BTR_OK && report_flag != 0) {
    platform::report_store_failure(handle->file_name, operation, key_number, status, source_file, line);
  }
  return status;
}

int _btclose(btrv_fcb** handle, const char* source_file, int line, int report_flag) {
  if (handle == nullptr || *handle == nullptr) {
    if (report_flag != 0) platform::report_store_failure("", 1, 0, BTR_FILE_NOT_OPEN, source_file, line);
    return BTR_FILE_NOT_OPEN;
  }
  free_handle(*handle);
  *handle = nullptr;
  return BTR_OK;
}

int BTError(btrv_fcb* handle, const char* source_file, int line, int message_number) {
  const int status = handle != nullptr ? handle->last_status : BTR_FILE_NOT_OPEN;
  std::string text = "record store message " + std::to_string(message_number) + ": ";
  text += handle != nullptr ? handle->file_name : std::string("(no table)");
  if (handle != nullptr) {
    text += " operation " + std::to_string(handle->last_operation) + " key " +
            std::to_string(handle->last_key_number);
  }
  text += " status " + std::to_string(status) + " (" + btr_status_text(status) + ") in " + or_empty(source_file) +
          " line " + std::to_string(line);
  platform::report_line(text);
  return status;
}

}  // extern "C"

const char* btr_status_text(int status) {
  switch (status) {
    case BTR_OK: return "success";
    case BTR_INVALID_OPERATION: return "invalid operation";
    case BTR_IO_ERROR: return "the table file is damaged or cannot be read or written";
    case BTR_FILE_NOT_OPEN: return "table not open";
    case BTR_KEY_NOT_FOUND: return "key value not found";
    case BTR_DUPLICATE_KEY: return "duplicate key value";
    case BTR_INVALID_KEY_NUMBER: return "the table has no such key";
    case BTR_DIFFERENT_KEY_NUMBER: return "a different key number from the one the position was found by";
    case BTR_NO_CURRENT_RECORD: return "no current record";
    case BTR_END_OF_FILE: return "end of file";
    case BTR_INVALID_FILE_NAME: return "invalid file name or table definition";
    case BTR_FILE_NOT_FOUND: return "file not found";
    case BTR_KEY_BUFFER_TOO_SHORT: return "key buffer too short";
    case BTR_DATA_BUFFER_TOO_SHORT: return "record buffer too short for the record";
    case BTR_NOT_A_TABLE_FILE: return "not a table file";
    case BTR_INVALID_ACCESS_WORD: return "wrong access word";
    case BTR_FILE_EXISTS: return "file already exists";
    case BTR_RECORD_CONFLICT: return "record changed by another user since it was read";
    case BTR_FILE_BUSY: return "table busy: another user is writing";
    default: return "record store failure";
  }
}
