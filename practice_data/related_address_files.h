// The address tables that every related-party object shares: two handles on the addresses table
// and one on the address links, each opened by the first object that needs it and closed when
// the last object holding it goes, and the buffers that the address service fills through their
// field tables.
#pragma once

#include "platform/field_tables.h"
#include "platform/practice/addresses_and_relationships.h"

namespace practice_data_internal {

enum class AddressFile { kAddresses, kLinks, kOverrides };

// Takes a reference on `file`, opening it on `data_path` when no object holds it. False when it
// could not be opened (nothing is then held).
bool acquire_address_file(AddressFile file, const char* data_path);
// Gives back a reference taken by acquire_address_file; the last one closes the handle.
void release_address_file(AddressFile file);
// The handle (null while closed) and the field table over its buffer.
btrv_fcb* address_file_handle(AddressFile file);
const FAC_ENTRY* address_file_fields(AddressFile file);

// The buffers that the field tables fill.
struct AddressBuffers {
  ZORV1008_TLD address;
  ZORV1009_TLD link;
  ZORV1008_TLD override_address;
};
AddressBuffers& address_buffers();

}  // namespace practice_data_internal
