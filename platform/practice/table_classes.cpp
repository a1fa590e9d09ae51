// The table classes over the record store: FA_BASIC (one open table), XFA_TPLATE (a tagged part
// and its field table) and the table handle that both keep.
#include "platform/table_classes.h"

#include <cstring>
#include <string>

#include "platform/config.h"
#include "store_report.h"
#include "tagged_operation.h"

namespace platform {

TableHandle& TableHandle::operator=(TableHandle&& other) noexcept {
  if (this != &other) {
    close();
    handle_ = other.handle_;
    other.handle_ = nullptr;
  }
  return *this;
}

StoreStatus TableHandle::open(const char* data_path, const char* file_name, int record_length, int key_length,
                              const char* call_tag) {
  close();
  return StoreStatus(_btopen(&handle_, 0, 0, record_length, key_length, data_path, file_name,
                             kRecordStoreAccessWord, 0, call_tag, 0, 1));
}

void TableHandle::close() {
  if (handle_ != nullptr) _btclose(&handle_, "TableHandle", 0, 1);
}

}  // namespace platform

const FABA001_CONSTANTS& faba001_constants() {
  static const FABA001_CONSTANTS constants{BTR_OK,         BTR_KEY_NOT_FOUND,   BTR_DUPLICATE_KEY, BTR_NO_CURRENT_RECORD,
                                           BTR_END_OF_FILE, BTR_RECORD_CONFLICT, -2,                -1};
  return constants;
}

const char* fadl001_DB_path(const char* path) {
  thread_local std::string kept;
  if (path != nullptr) {
    kept = path;
  } else {
    TK_CONF conf{};
    config_read_conf010(&conf);
    kept = conf.data_path;
  }
  return kept.c_str();
}

FA_BASIC::FA_BASIC(const char* data_path, const TLD_FILESPEC* spec) {
  if (spec != nullptr) {
    record_length_ = spec->record_length;
    key_length_ = spec->key_length;
    fields_ = spec->fields;
    open_status_ = table_.open(data_path, spec->file_name, record_length_, key_length_, "FA_BASIC").code();
  }
  if (btrv_fcb* handle = table_.get()) {
    record_length_ = handle->record_length;
    key_length_ = handle->key_length;
    return;
  }
  // Zeroed buffers, so that a program that goes on after a failed open reads zeros, not memory.
  if (record_length_ < 0) record_length_ = 0;
  if (key_length_ < 0) key_length_ = 0;
  spare_record_.reset(new char[static_cast<std::size_t>(record_length_) + 1]());
  spare_key_.reset(new char[static_cast<std::size_t>(key_length_) + 1]());
}

FA_BASIC::~FA_BASIC() = default;

char* FA_BASIC::record_buffer() { return is_open() ? table_.get()->record_buffer : spare_record_.get(); }
char* FA_BASIC::key_buffer() { return is_open() ? table_.get()->key_buffer : spare_key_.get(); }
int FA_BASIC::data_length() const { return is_open() ? table_.get()->data_length : 0; }
void FA_BASIC::clear_key() { std::memset(key_buffer(), 0, static_cast<std::size_t>(key_length_)); }
void FA_BASIC::clear_record() { std::memset(record_buffer(), 0, static_cast<std::size_t>(record_length_)); }

int FA_BASIC::fa_geteq(int key_number, int lock, const char* call_tag, int expected_status) {
  return fa_get(BTR_GET_EQUAL, key_number, lock, call_tag, expected_status);
}

int FA_BASIC::fa_get(int operation, int key_number, int, const char* call_tag, int expected_status) {
  const int status = is_open() ? platform::run_through_field_table(operation, table_.get(), key_number, fields_,
                                                                   call_tag, 0, 0)
                               : BTR_FILE_NOT_OPEN;
  if (status != BTR_OK && status != expected_status && expected_status != faba001_constants().report_none) {
    report_failure(operation, key_number, status, call_tag);
  }
  return status;
}

void FA_BASIC::report_failure(int operation, int key_number, int status, const char* call_tag) const {
  platform::report_store_failure(is_open() ? table_.get()->file_name : std::string("(table not open)"), operation,
                                 key_number, status, call_tag, 0);
}

XFA_TPLATE::XFA_TPLATE(const char* file_name, int record_length, int key_length, void* tagged_part,
                       const TAGGED_FIELD_LAYOUT* layout)
    : spec_{file_name, record_length, key_length, nullptr} {
  if (layout == nullptr || tagged_part == nullptr) return;
  auto* base = static_cast<char*>(tagged_part);
  for (const TAGGED_FIELD_LAYOUT* field = layout; field->tag != -1; ++field) {
    fields_.push_back(FAC_ENTRY{field->tag, field->length, field->kind, 0, base + field->offset});
  }
  fields_.push_back(FAC_ENTRY{-1, 0, 0, 0, nullptr});
  spec_.fields = fields_.data();
}
