// The store's own report of a failed call, for callers that passed report flag 1.
#pragma once

#include <string>

namespace platform {

// One line: "record store: status 4 (key value not found) on operation 5 key 1 of ZORV1005.TTL
// in <source file> line <line>".
void report_store_failure(const std::string& file_name, int operation, int key_number, int status,
                          const char* source_file, int line);

// One line about a table without a call site: "record store: status 2 (...) in ZORV1203.TTL: <what>".
void report_store_problem(const std::string& file_name, int status, const std::string& what);

}  // namespace platform
