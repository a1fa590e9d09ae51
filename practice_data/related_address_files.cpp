// The shared address tables of the related-party objects: see related_address_files.h.
#include "related_address_files.h"

#include "platform/practice/table_classes.h"
#include "platform/record_store.h"

namespace practice_data_internal {

namespace {

constexpr const char* kSourceFile = "TaxSharedLib_001";

struct SharedFile {
  const char* file_name;
  int record_length;
  int key_length;
  int report_flag;
  btrv_fcb* handle;
  int holders;
};

// The order is the order of opening: the addresses, the links, then the addresses again for the
// override address.
SharedFile shared_files[] = {
    {"ZORV1008.TTL", 4604, 16, 0, nullptr, 0},
    {"ZORV1009.TTL", 275, 11, 1, nullptr, 0},
    {"ZORV1008.TTL", 4604, 16, 0, nullptr, 0},
};

SharedFile& shared(AddressFile file) { return shared_files[static_cast<int>(file)]; }

// Field tables over the buffers, from the tables' tagged layouts.
struct FieldTables {
  XFA_TPLATE address{"ZORV1008.TTL", 4604, 16, &address_buffers().address, zorv1008_tagged_fields()};
  XFA_TPLATE link{"ZORV1009.TTL", 275, 11, &address_buffers().link, zorv1009_tagged_fields()};
  XFA_TPLATE override_address{"ZORV1008.TTL", 4604, 16, &address_buffers().override_address,
                              zorv1008_tagged_fields()};
};

const FieldTables& field_tables() {
  static const FieldTables tables;
  return tables;
}

}  // namespace

AddressBuffers& address_buffers() {
  static AddressBuffers buffers{};
  return buffers;
}

bool acquire_address_file(AddressFile file, const char* data_path) {
  SharedFile& entry = shared(file);
  if (entry.handle == nullptr) {
    if (_btopen(&entry.handle, 0, 0, entry.record_length, entry.key_length, data_path, entry.file_name,
                kRecordStoreAccessWord, 0, kSourceFile, __LINE__, entry.report_flag) != BTR_OK) {
      entry.handle = nullptr;
      return false;
    }
    entry.holders = 0;
  }
  ++entry.holders;
  return true;
}

void release_address_file(AddressFile file) {
  SharedFile& entry = shared(file);
  if (entry.holders <= 0) return;
  if (--entry.holders == 0 && entry.handle != nullptr) _btclose(&entry.handle, kSourceFile, __LINE__, 1);
}

btrv_fcb* address_file_handle(AddressFile file) { return shared(file).handle; }

const FAC_ENTRY* address_file_fields(AddressFile file) {
  switch (file) {
    case AddressFile::kAddresses: return field_tables().address.field_table();
    case AddressFile::kLinks: return field_tables().link.field_table();
    case AddressFile::kOverrides: return field_tables().override_address.field_table();
  }
  return nullptr;
}

}  // namespace practice_data_internal
