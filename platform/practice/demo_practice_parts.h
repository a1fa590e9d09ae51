// The demo practice, one function per group of tables. Each writes its group's rows into a
// folder that already holds every (empty) table and returns 0 or the first failure's status.
// To give a new Part the rows it needs, add them to the function of the table's group, drawing
// parties from demo_practice_clients() so that the groups agree with one another.
#pragma once

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <string>

#include "platform/dates.h"
#include "platform/practice/catalogue.h"
#include "platform/practice/demo_practice.h"
#include "platform/practice/practice_table.h"

namespace platform::demo {

int write_clients(const std::string& folder);
int write_addresses_and_relationships(const std::string& folder);
int write_dates_and_periods(const std::string& folder);
int write_jobs(const std::string& folder);
int write_settings(const std::string& folder);
int write_documents(const std::string& folder);

constexpr const char* kCallTag = "demo practice";

// A part of the demo: writes some rows into `folder`, giving 0 or the first failure's status.
using DemoWriter = int (*)(const std::string& folder);

// Runs `writers` in turn, stopping at the first that fails. 0 or that failure's status.
inline int write_in_turn(const std::string& folder, std::initializer_list<DemoWriter> writers) {
  for (DemoWriter write : writers) {
    if (const int status = write(folder); status != 0) return status;
  }
  return 0;
}

// A day number as a 32-bit record field.
inline std::int32_t day(int d, int m, int y) { return static_cast<std::int32_t>(fp_builddate(d, m, y)); }

// Copies `text` into a NUL-padded field, cut to leave room for the NUL.
template <std::size_t N>
void put_text(char (&field)[N], const char* text) {
  std::memset(field, 0, N);
  std::memcpy(field, text, std::min(std::strlen(text), N - 1));
}

// Inserts rows of one record type, the table held open across them.
template <class Record>
class RowWriter {
 public:
  explicit RowWriter(const std::string& folder) : table_(kCallTag, folder.c_str()) {}

  // Inserts `row` (and, for a record type with a tagged part, `tagged`). 0 or the status.
  int insert(const Record& row) {
    table_.record() = row;
    return table_.insert().code();
  }
  template <class Tld>
  int insert(const Record& row, const Tld& tagged) {
    table_.tld() = tagged;
    return insert(row);
  }

 private:
  PracticeTable<Record> table_;
};

// Inserts one row of a table whose rows differ in their tagged part (settings, company data):
// the key fields of `row` and the fields of `tagged` by `layout`.
template <class Record, class Tld>
int insert_tagged_row(const std::string& folder, const Record& row, const Tld& tagged,
                      const TAGGED_FIELD_LAYOUT* layout) {
  using traits = pm_record_traits<Record>;
  Tld part = tagged;
  XFA_TPLATE tagged_part(traits::file_name, traits::record_length, traits::key_length, &part, layout);
  FA_BASIC table(folder.c_str(), tagged_part.xfa_get_filespec());
  table.clear_record();
  std::memcpy(table.record_buffer(), &row, static_cast<std::size_t>(traits::key_length));
  return table.fa_get(BTR_INSERT, 0, 0, kCallTag, faba001_constants().report_all);
}

// Inserts every row of `rows` through `writer`; stops at the first failure.
template <class Writer, class Rows, class Insert>
int insert_each(Writer& writer, const Rows& rows, Insert insert) {
  for (const auto& row : rows) {
    const int status = insert(writer, row);
    if (status != 0) return status;
  }
  return 0;
}

}  // namespace platform::demo
