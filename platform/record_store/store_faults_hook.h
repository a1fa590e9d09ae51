// The store calls' side of the fault seam (platform/store_faults.h).
#pragma once

#include "platform/store_faults.h"

namespace platform {

constexpr int kNotForced = -1;

// Counts one store call of `operation` (0 for an open) and gives the status a test has armed for
// it, or kNotForced: run the call.
int forced_store_status(int operation);

}  // namespace platform
