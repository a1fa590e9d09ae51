// Field tables: unpacking a tagged record into a program's places, and packing them back.
#include "platform/field_tables.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "store_report.h"
#include "table_connection.h"
#include "tagged_area.h"

struct DFAC_TABLE {
  std::vector<FAC_ENTRY> entries{FAC_ENTRY{-1, 0, 0, 0, nullptr}};
  std::unique_ptr<char[]> owned_buffer;
};

namespace {

constexpr int kMaxFieldTableEntries = 65536;  // a table without its -1 entry is not read forever

bool usable(const FAC_ENTRY& entry) { return entry.destination != nullptr && entry.length > 0; }

const FAC_ENTRY* find_entry(const FAC_ENTRY* table, std::int32_t tag) {
  for (int i = 0; i < kMaxFieldTableEntries && table[i].field != -1; ++i) {
    if (table[i].field == tag && usable(table[i])) return &table[i];
  }
  return nullptr;
}

void unpack_field(const FAC_ENTRY& entry, const char* bytes, int stored_length) {
  auto* place = static_cast<char*>(entry.destination);
  int copied = std::min(stored_length, static_cast<int>(entry.length));
  // A text ends at its first NUL, as it is packed: what follows a NUL is not part of it.
  if (entry.kind == FAC_KIND_TEXT) copied = static_cast<int>(strnlen(bytes, static_cast<std::size_t>(copied)));
  std::memcpy(place, bytes, static_cast<std::size_t>(copied));
  std::memset(place + copied, 0, static_cast<std::size_t>(entry.length - copied));
}

void append_field(std::string& area, std::int32_t tag, const char* bytes, int length) {
  const auto stored_length = static_cast<std::uint16_t>(length);
  area.append(reinterpret_cast<const char*>(&tag), sizeof tag);
  area.append(reinterpret_cast<const char*>(&stored_length), sizeof stored_length);
  area.append(bytes, static_cast<std::size_t>(length));
}

// The length of record that a handle's table keeps: the table's own, within the handle's buffer.
int record_capacity(const btrv_fcb& handle) {
  int capacity = handle.record_length;
  if (handle.connection != nullptr) capacity = std::min(capacity, handle.connection->definition().record_length);
  return capacity;
}

int pack(btrv_fcb* handle, const FAC_ENTRY* table, int key_length, bool keep_other_fields) {
  if (handle == nullptr) return BTR_FILE_NOT_OPEN;
  if (table == nullptr || key_length < 0 || key_length > handle->record_length) return BTR_INVALID_OPERATION;
  std::string area;
  for (int i = 0; i < kMaxFieldTableEntries && table[i].field != -1; ++i) {
    const FAC_ENTRY& entry = table[i];
    if (!usable(entry)) continue;
    const auto* place = static_cast<const char*>(entry.destination);
    const int length = entry.kind == FAC_KIND_TEXT ? static_cast<int>(strnlen(place, static_cast<std::size_t>(entry.length)))
                                                   : entry.length;
    append_field(area, entry.field, place, length);
  }
  if (keep_other_fields) {
    // Fields that other programs keep in the record, which this table does not name, stay. They
    // come from the record as stored, not from the buffer, which the program may have cleared
    // since it read; a handle with no table behind it has only its buffer. When the record is
    // damaged they cannot be told apart, and rewriting it would lose them all.
    const std::string* stored = handle->connection != nullptr ? handle->connection->current_record() : nullptr;
    const char* source = stored != nullptr ? stored->data() : handle->record_buffer;
    const int source_end = stored != nullptr ? static_cast<int>(stored->size()) : handle->record_length;
    if (key_length > source_end) return BTR_INVALID_OPERATION;
    std::vector<platform::TaggedField> fields;
    if (platform::parse_tagged_area(source, key_length, source_end, &fields, nullptr) != BTR_OK) {
      return BTR_IO_ERROR;
    }
    for (const platform::TaggedField& field : fields) {
      if (find_entry(table, field.tag) == nullptr) append_field(area, field.tag, source + field.offset, field.length);
    }
  }
  if (key_length + static_cast<int>(area.size()) > record_capacity(*handle)) return BTR_DATA_BUFFER_TOO_SHORT;
  std::memcpy(handle->record_buffer + key_length, area.data(), area.size());
  std::memset(handle->record_buffer + key_length + area.size(), 0,
              static_cast<std::size_t>(handle->record_length - key_length) - area.size());
  return BTR_OK;
}

}  // namespace

extern "C" {

int dfac_init(DFAC_TABLE** table, char** buffer, int size, int) {
  if (table == nullptr || buffer == nullptr || size < 0) return 1;
  auto made = std::make_unique<DFAC_TABLE>();
  if (*buffer == nullptr) {
    made->owned_buffer.reset(new char[static_cast<std::size_t>(size) + 1]());
    *buffer = made->owned_buffer.get();
  }
  *table = made.release();
  return 0;
}

int dfac_addtype(DFAC_TABLE* table, long tag, void* address, int length, int kind) {
  if (table == nullptr || address == nullptr || length <= 0 || length > 32767 || tag == 0 || tag == -1) return 1;
  table->entries.back() = FAC_ENTRY{static_cast<std::int32_t>(tag), static_cast<std::int16_t>(length),
                                    static_cast<std::int16_t>(kind), 0, address};
  table->entries.push_back(FAC_ENTRY{-1, 0, 0, 0, nullptr});
  return 0;
}

void dfac_free(DFAC_TABLE** table) {
  if (table == nullptr) return;
  delete *table;
  *table = nullptr;
}

const FAC_ENTRY* dfac_entries(const DFAC_TABLE* table) { return table != nullptr ? table->entries.data() : nullptr; }

int get_fac(const FAC_ENTRY* table, btrv_fcb* handle, int key_length) {
  if (handle == nullptr) return BTR_FILE_NOT_OPEN;
  const int end = std::min(handle->data_length, handle->record_length);
  if (table == nullptr || key_length < 0 || key_length > end) return BTR_INVALID_OPERATION;
  std::vector<platform::TaggedField> fields;
  // Checked whole before anything is copied: a damaged record unpacks nothing.
  if (platform::parse_tagged_area(handle->record_buffer, key_length, end, &fields, nullptr) != BTR_OK) {
    platform::report_store_problem(handle->file_name, BTR_IO_ERROR,
                                   "a tagged field of the record runs past the end of the record");
    return BTR_IO_ERROR;
  }
  for (const platform::TaggedField& field : fields) {
    if (const FAC_ENTRY* entry = find_entry(table, field.tag)) {
      unpack_field(*entry, handle->record_buffer + field.offset, field.length);
    }
  }
  return BTR_OK;
}

int get_fac_dynamic(const DFAC_TABLE* table, btrv_fcb* handle, int key_length) {
  return get_fac(dfac_entries(table), handle, key_length);
}

int clear_fac(const FAC_ENTRY* table) {
  if (table == nullptr) return 1;
  for (int i = 0; i < kMaxFieldTableEntries && table[i].field != -1; ++i) {
    if (usable(table[i])) std::memset(table[i].destination, 0, static_cast<std::size_t>(table[i].length));
  }
  return 0;
}

int clear_fac_dynamic(const DFAC_TABLE* table) { return clear_fac(dfac_entries(table)); }

int TLDGetFacNoTCB(btrv_fcb* handle, const FAC_ENTRY* table, int key_length) {
  if (table == nullptr) return BTR_INVALID_OPERATION;
  clear_fac(table);
  return get_fac(table, handle, key_length);
}

int TLDInsertFacNoTCB(btrv_fcb* handle, const FAC_ENTRY* table, int key_length) {
  return pack(handle, table, key_length, false);
}

int TLDUpdateFacNoTCB(btrv_fcb* handle, const FAC_ENTRY* table, int key_length) {
  return pack(handle, table, key_length, true);
}

}  // extern "C"
