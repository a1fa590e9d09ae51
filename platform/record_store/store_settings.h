// Settings shared by every table connection of the process.
#pragma once

namespace platform {

// Milliseconds a write waits for another writer before it gives up with 85.
int record_store_busy_timeout();

}  // namespace platform
