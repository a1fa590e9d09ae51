// A practice data folder for one test: a temporary folder holding empty practice table files
// (every table of the catalogue, or the ones named), made the configured data path while the
// object lives, and removed with everything in it when the test ends. Given Backend::server, the
// tables are made in a fresh schema on the tests' PostgreSQL cluster instead (support/test_store.h).
//
// Usage:
//   test_support::PracticeFolder practice;
//   ASSERT_EQ(practice.insert("ZORV1005.TTL", test_support::client_record("AB12", 1, 1001)), 0);
//   ... code under test that opens tables on config_read_conf010's data path ...
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "platform/practice/clients.h"
#include "support/test_store.h"

namespace test_support {

// Asks PracticeFolder for the demo practice (platform/practice/demo_practice.h).
struct DemoPractice {};

class PracticeFolder {
 public:
  // Every table of the catalogue.
  explicit PracticeFolder(Backend backend = Backend::files);
  // The demo practice: every table, with the demo's rows.
  explicit PracticeFolder(DemoPractice, Backend backend = Backend::files);
  // Only the tables named (file names of the catalogue).
  explicit PracticeFolder(std::initializer_list<std::string> tables) : PracticeFolder(Backend::files, tables) {}
  PracticeFolder(Backend backend, std::initializer_list<std::string> tables);
  ~PracticeFolder();
  PracticeFolder(const PracticeFolder&) = delete;
  PracticeFolder& operator=(const PracticeFolder&) = delete;

  const std::string& data_path() const { return data_path_; }
  // The status of making the tables (0 when all were made), and why the store was not there.
  int status() const { return status_; }
  const std::string& problem() const { return store_->problem(); }

  // Inserts one record; returns the store's status.
  int insert(const std::string& file_name, const void* record, int length) const;
  template <class Record>
  int insert(const std::string& file_name, const Record& record) const {
    return insert(file_name, &record, static_cast<int>(sizeof record));
  }

 private:
  void use_as_configured_data_path();

  // Whether the store is there: its problem, or else 0.
  int store_status() const;

  std::unique_ptr<TestStore> store_;
  std::string data_path_;
  int status_ = 0;
  bool had_previous_path_ = false;
  std::string previous_path_;
};

// A clients-table record: visible ID (cut to 10 characters), type byte and number.
zorv1005_rec client_record(const char* client_id, std::uint8_t client_type, std::int32_t client_number);

// A tagged record built field by field: the key fields first, then (tag, length, bytes) for each
// field added, as the store keeps tagged tables.
//   TaggedRecord record(&key, sizeof key);
//   record.add(400, incorporation_date);
//   practice.insert("ZORV1203.TTL", record.data(), record.size());
class TaggedRecord {
 public:
  TaggedRecord(const void* key_fields, int key_length);
  TaggedRecord& add_bytes(std::int32_t tag, const void* bytes, int length);
  TaggedRecord& add_text(std::int32_t tag, const std::string& text) {
    return add_bytes(tag, text.data(), static_cast<int>(text.size()));
  }
  template <class Value>
  TaggedRecord& add(std::int32_t tag, const Value& value) {
    return add_bytes(tag, &value, static_cast<int>(sizeof value));
  }
  const char* data() const { return bytes_.data(); }
  int size() const { return static_cast<int>(bytes_.size()); }

 private:
  std::vector<char> bytes_;
};

}  // namespace test_support
