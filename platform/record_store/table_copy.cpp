// Copying a table between data paths (a folder and a server, either way) and checking the copy.
#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/record_store.h"
#include "table_backend.h"

namespace platform {

namespace {

void say(std::string* problem, const std::string& text) {
  if (problem != nullptr) *problem = text;
}

bool same_definition(const TableDefinition& a, const TableDefinition& b) {
  if (a.record_length != b.record_length || a.key_buffer_length != b.key_buffer_length || a.tagged != b.tagged ||
      a.keys.size() != b.keys.size()) {
    return false;
  }
  for (std::size_t key = 0; key < a.keys.size(); ++key) {
    const KeyDefinition& x = a.keys[key];
    const KeyDefinition& y = b.keys[key];
    if (x.duplicates != y.duplicates || x.segments.size() != y.segments.size()) return false;
    for (std::size_t part = 0; part < x.segments.size(); ++part) {
      if (x.segments[part].offset != y.segments[part].offset || x.segments[part].length != y.segments[part].length ||
          x.segments[part].type != y.segments[part].type) {
        return false;
      }
    }
  }
  return true;
}

// A handle closed when it goes.
struct OpenTable {
  btrv_fcb* handle = nullptr;
  int status;
  OpenTable(const std::string& data_path, const std::string& file_name)
      : status(_btopen(&handle, 0, 0, 0, 0, data_path.c_str(), file_name.c_str(), kRecordStoreAccessWord, 0,
                       __FILE__, __LINE__, 0)) {}
  ~OpenTable() {
    if (handle != nullptr) _btclose(&handle, __FILE__, __LINE__, 0);
  }
  OpenTable(const OpenTable&) = delete;
  OpenTable& operator=(const OpenTable&) = delete;
};

// Walks key `key` of both tables side by side. 0 when they hold the same records in the same order.
int compare_walks(btrv_fcb* a, btrv_fcb* b, int key, std::string* problem) {
  int count = 0;
  for (int operation = BTR_GET_FIRST;; operation = BTR_GET_NEXT, ++count) {
    const int status_a = _bt(operation, a, key, __FILE__, __LINE__, 0);
    const int status_b = _bt(operation, b, key, __FILE__, __LINE__, 0);
    if (status_a != status_b) {
      say(problem, "by key " + std::to_string(key) + ", record " + std::to_string(count + 1) + " reads with status " +
                       std::to_string(status_a) + " in one and " + std::to_string(status_b) + " in the other");
      return BTR_IO_ERROR;
    }
    if (status_a == BTR_END_OF_FILE) return BTR_OK;
    if (status_a != BTR_OK) {
      say(problem, "by key " + std::to_string(key) + " the walk fails with status " + std::to_string(status_a));
      return status_a;
    }
    if (a->data_length != b->data_length ||
        std::memcmp(a->record_buffer, b->record_buffer, static_cast<std::size_t>(a->data_length)) != 0) {
      say(problem, "by key " + std::to_string(key) + ", record " + std::to_string(count + 1) + " differs");
      return BTR_IO_ERROR;
    }
  }
}

}  // namespace

int copy_table(const std::string& from, const std::string& to, const std::string& file_name, std::string* problem) {
  std::unique_ptr<TableConnection> source;
  int status = open_table_connection(from, file_name, &source);
  if (status != BTR_OK) {
    say(problem, "the table does not open where it is copied from");
    return status;
  }
  const TableDefinition& definition = source->definition();
  std::vector<std::string> records;
  status = source->records_in_written_order(&records);
  if (status != BTR_OK) {
    say(problem, "its records cannot be read");
    return status;
  }
  status = create_table_file(to, definition);
  if (status != BTR_OK) {
    say(problem, status == BTR_FILE_EXISTS ? "the target already has the table" : "the table cannot be made there");
    return status;
  }
  const auto length = static_cast<std::size_t>(definition.record_length);
  std::vector<char> laid_out(records.size() * length, '\0');
  for (std::size_t i = 0; i < records.size(); ++i) {
    std::memcpy(laid_out.data() + i * length, records[i].data(), std::min(length, records[i].size()));
  }
  status = load_table_records(to, definition.file_name, laid_out.data(), static_cast<int>(records.size()),
                              definition.record_length);
  if (status != BTR_OK) say(problem, "loading its records failed with status " + std::to_string(status));
  return status;
}

int compare_tables(const std::string& a, const std::string& b, const std::string& file_name, std::string* problem) {
  const OpenTable first(a, file_name);
  const OpenTable second(b, file_name);
  if (first.status != BTR_OK || second.status != BTR_OK) {
    say(problem, "the table does not open on both");
    return first.status != BTR_OK ? first.status : second.status;
  }
  if (!same_definition(first.handle->connection->definition(), second.handle->connection->definition())) {
    say(problem, "the two definitions differ");
    return BTR_IO_ERROR;
  }
  const int keys = static_cast<int>(first.handle->connection->definition().keys.size());
  for (int key = 0; key < keys; ++key) {
    const int status = compare_walks(first.handle, second.handle, key, problem);
    if (status != BTR_OK) return status;
  }
  return BTR_OK;
}

}  // namespace platform
