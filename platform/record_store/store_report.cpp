#include "store_report.h"

#include "platform/errors.h"
#include "platform/record_store.h"

namespace platform {

void report_store_failure(const std::string& file_name, int operation, int key_number, int status,
                          const char* source_file, int line) {
  report_line("record store: status " + std::to_string(status) + " (" + btr_status_text(status) +
              ") on operation " + std::to_string(operation) + " key " + std::to_string(key_number) + " of " +
              (file_name.empty() ? std::string("(no table)") : file_name) + " in " +
              (source_file != nullptr ? source_file : "") + " line " + std::to_string(line));
}

void report_store_problem(const std::string& file_name, int status, const std::string& what) {
  report_line("record store: status " + std::to_string(status) + " (" + btr_status_text(status) + ") in " +
              (file_name.empty() ? std::string("(no table)") : file_name) + ": " + what);
}

}  // namespace platform
