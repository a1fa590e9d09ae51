// The codes the option screens and classes share: a stored or chosen code read as the enumeration,
// anything else as the default that a missing entry has.
#pragma once

#include <cstdint>

#include "qarntash/screens/option_status.h"
#include "qarntash/screens/tax_return_options.h"

namespace screens_internal {

// 1 final and 3 unrecorded; anything else is interim.
inline Status status_from_code(std::int32_t code) {
  return code == STATUS_FINAL || code == STATUS_UNRECORDED ? static_cast<Status>(code) : STATUS_INTERIM;
}

// 2 client UTR and 3 neither; anything else is the client ID.
inline ReturnID return_id_from_code(std::int32_t code) {
  return code == RETURN_ID_CLIENT_UTR || code == RETURN_ID_NEITHER ? static_cast<ReturnID>(code) : RETURN_ID_CLIENT_ID;
}

}  // namespace screens_internal
