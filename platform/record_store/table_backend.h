// What every backend of the record store gives the calls above it: an open table with its
// definition, its operations and its position. A data path names the backend: a folder of
// SQLite table files (table_connection.h), or a PostgreSQL server (server_table.h).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/record_store.h"

namespace platform {

class TableConnection {
 public:
  virtual ~TableConnection() = default;

  virtual const TableDefinition& definition() const = 0;

  // Makes the writes up to end_writes() one transaction (a load of many records). A status.
  virtual int begin_writes() = 0;
  virtual int end_writes(bool commit) = 0;

  // Runs one operation for `handle`, whose buffers it reads and fills.
  virtual int run(int operation, int key_number, btrv_fcb& handle) = 0;

  // The current record as stored (padded to the record length), or null when there is none.
  virtual const std::string* current_record() const = 0;

  // Reads every record and checks its length and that each key column holds the key of its
  // bytes. 0, or 2 with `problem` saying which record is wrong.
  virtual int check_records(std::string* problem) = 0;

  // Every record as stored, in the order they were written (a copy keeps the order of each group
  // of equal keys). A status.
  virtual int records_in_written_order(std::vector<std::string>* records) = 0;
};

// Opens table `file_name` on `data_path`, whichever backend it names. 0 with *out set, or a status.
int open_table_connection(const std::string& data_path, const std::string& file_name,
                          std::unique_ptr<TableConnection>* out);

}  // namespace platform
