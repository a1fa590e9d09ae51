// Settings and rules shared by every table connection of the process.
#pragma once

#include <string>

namespace platform {

// Table file names match whatever their case, as on Windows: "zorv1005.ttl" names ZORV1005.TTL.
bool same_file_name(const std::string& a, const std::string& b);

// Milliseconds a write waits for another writer before it gives up with 85.
int record_store_busy_timeout();

}  // namespace platform
