// The demo practice: its clients, and the order in which the groups of tables are written.
#include "platform/practice/demo_practice.h"

#include <filesystem>
#include <system_error>

#include "demo_practice_parts.h"

namespace platform {

const DemoClient* demo_practice_clients() {
  // Branch 1 and branch 2 each have clients of every type; numbers are unique within a type.
  static const DemoClient clients[] = {
      {"SMITHJ", 1, 1001, 1, "John Smith"},
      {"JONESM", 1, 1002, 2, "Mary Jones"},
      {"PATELA", 1, 1003, 1, "Anita Patel"},
      {"EVANSR", 1, 1004, 2, "Robert Evans"},
      {"ACMEJOIN", 2, 2001, 1, "Acme Joinery"},
      {"GREENGRO", 2, 2002, 2, "Green's Grocers Ltd"},
      {"HARTTRUST", 5, 5001, 1, "The Hart Family Trust"},
      {"OAKTRUST", 5, 5002, 2, "Oak Lane Settlement"},
      {"KBANK", 75, 7501, 1, "Kingsway Bank plc"},
      {"MOSSLAW", 75, 7502, 2, "Moss & Co Solicitors"},
      {nullptr, 0, 0, 0, nullptr},
  };
  return clients;
}

int write_demo_practice(const std::string& folder) {
  for (const TableDefinition& definition : practice_tables()) {
    if (!find_table_file(folder, definition.file_name).empty()) return BTR_FILE_EXISTS;
  }
  int status = create_practice_data_folder(folder);
  using Writer = int (*)(const std::string&);
  const Writer groups[] = {demo::write_clients, demo::write_addresses_and_relationships,
                           demo::write_dates_and_periods, demo::write_jobs, demo::write_settings};
  for (Writer write_group : groups) {
    if (status != BTR_OK) break;
    status = write_group(folder);
  }
  return status;
}

}  // namespace platform
