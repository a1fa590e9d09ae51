// The demo practice: its clients, and the order in which the groups of tables are written.
#include "platform/practice/demo_practice.h"


#include "demo_practice_parts.h"

namespace platform {

const DemoClient* demo_practice_clients() {
  // Branch 1 and branch 2 each have clients of every type; numbers are unique within a type.
  // Businesses 2003 to 2009, across all three branches, have the visible IDs that file names
  // must make safe, trade dates and periods of each shape, and numbers next to one another.
  static const DemoClient clients[] = {
      {"SMITHJ", 1, 1001, 1, "John Smith"},
      {"JONESM", 1, 1002, 2, "Mary Jones"},
      {"PATELA", 1, 1003, 1, "Anita Patel"},
      {"EVANSR", 1, 1004, 2, "Robert Evans"},
      {"ACMEJOIN", 2, 2001, 1, "Acme Joinery"},
      {"GREENGRO", 2, 2002, 2, "Green's Grocers Ltd"},
      {"HIGH?ST.", 2, 2003, 1, "High Street Stores"},
      {"AB/12:X", 2, 2004, 2, "AB Twelve Ltd"},
      {"CON", 2, 2005, 3, "Con Consulting"},
      {"A.B", 2, 2006, 3, "A B Plumbing"},
      {"..", 2, 2007, 1, "Dot Dot Design"},
      {"PARKER&SON", 2, 2008, 2, "Parker & Son"},
      {"lowcase", 2, 2009, 3, "Lower Case Lettering"},
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
  return demo::write_in_turn(folder, {create_practice_data_folder, demo::write_clients,
                                      demo::write_addresses_and_relationships, demo::write_dates_and_periods,
                                      demo::write_jobs, demo::write_settings, demo::write_documents});
}

}  // namespace platform
