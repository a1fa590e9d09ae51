#include "support/practice_folder.h"

#include "platform/practice/demo_practice.h"

#include <cstdlib>
#include <cstring>

#include "platform/practice_tables.h"
#include "platform/record_store.h"
#include "support/environment.h"

namespace test_support {

namespace {

constexpr const char* kDataPathVariable = "QARNTASH_DATA_PATH";

}  // namespace

PracticeFolder::PracticeFolder(Backend backend)
    : store_(std::make_unique<TestStore>(backend)), data_path_(store_->data_path()) {
  status_ = store_status();
  if (status_ == 0) status_ = platform::create_practice_data_folder(data_path_);
  use_as_configured_data_path();
}

PracticeFolder::PracticeFolder(DemoPractice, Backend backend)
    : store_(std::make_unique<TestStore>(backend)), data_path_(store_->data_path()) {
  status_ = store_status();
  if (status_ == 0) status_ = platform::write_demo_practice(data_path_);
  use_as_configured_data_path();
}

PracticeFolder::PracticeFolder(Backend backend, std::initializer_list<std::string> tables)
    : store_(std::make_unique<TestStore>(backend)), data_path_(store_->data_path()) {
  status_ = store_status();
  for (const std::string& table : tables) {
    if (status_ != 0) break;
    status_ = platform::create_practice_table(data_path_, table);
  }
  use_as_configured_data_path();
}

int PracticeFolder::store_status() const { return store_->problem().empty() ? 0 : BTR_IO_ERROR; }

PracticeFolder::~PracticeFolder() {
  if (had_previous_path_) {
    set_environment_variable(kDataPathVariable, previous_path_);
  } else {
    remove_environment_variable(kDataPathVariable);
  }
}

void PracticeFolder::use_as_configured_data_path() {
  const char* previous = std::getenv(kDataPathVariable);
  had_previous_path_ = previous != nullptr;
  if (previous != nullptr) previous_path_ = previous;
  set_environment_variable(kDataPathVariable, data_path_);
}

int PracticeFolder::insert(const std::string& file_name, const void* record, int length) const {
  return platform::insert_table_record(data_path_, file_name, record, length);
}

zorv1005_rec client_record(const char* client_id, std::uint8_t client_type, std::int32_t client_number) {
  zorv1005_rec record{};
  std::strncpy(record.client_id, client_id, sizeof record.client_id - 1);
  record.client_type = client_type;
  record.client_number = client_number;
  return record;
}

TaggedRecord::TaggedRecord(const void* key_fields, int key_length) {
  const auto* bytes = static_cast<const char*>(key_fields);
  bytes_.assign(bytes, bytes + key_length);
}

TaggedRecord& TaggedRecord::add_bytes(std::int32_t tag, const void* bytes, int length) {
  const auto* tag_bytes = reinterpret_cast<const char*>(&tag);
  const auto stored_length = static_cast<std::uint16_t>(length);
  const auto* length_bytes = reinterpret_cast<const char*>(&stored_length);
  bytes_.insert(bytes_.end(), tag_bytes, tag_bytes + sizeof tag);
  bytes_.insert(bytes_.end(), length_bytes, length_bytes + sizeof stored_length);
  const auto* field = static_cast<const char*>(bytes);
  bytes_.insert(bytes_.end(), field, field + length);
  return *this;
}

}  // namespace test_support
