// File: platform/field_tables.h
//
// Tagged-field tables. Some practice tables keep their data as tagged fields instead of fixed
// places: a record is its key fields (the first key-length bytes) followed by a run of fields,
// each a 32-bit tag, a 16-bit length and that many bytes (little-endian; a tag of 0 or the end of
// the record read ends the run). A field table maps tags to places in the program's memory, so
// that get_fac unpacks the current record into them and a write packs them back.
//
// A field table is an array of FAC_ENTRY ended by an entry with field number -1: either a static
// array of the program's, or one built at run time with dfac_init and dfac_addtype.
//
// Kinds: 0 raw bytes (copied as they are, the rest of the place zeroed); 4 text (stored without
// its terminator; unpacked NUL-padded to the place's length).
//
// Usage (a static table, read after a get equal):
//   static std::int16_t client_name_code;
//   static FAC_ENTRY header_fields[] = {{500, 2, 0, 0, &client_name_code}, {-1, 0, 0, 0, nullptr}};
//   if (_bt(BTR_GET_EQUAL, settings, 0, __FILE__, __LINE__, 0) == BTR_OK) get_fac(header_fields, settings, 6);
//
// A tagged record whose lengths run past its end gives BTR_IO_ERROR and a report, and nothing of
// it is unpacked.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/export.h"
#include "platform/record_store.h"

enum : int {
  FAC_KIND_RAW = 0,
  FAC_KIND_TEXT = 4,
};

#pragma pack(push, 1)
// One field of a field table. 14 bytes on the suite's 32-bit build, where the destination is a
// 32-bit pointer; 18 on a 64-bit build.
struct FAC_ENTRY {             // off size
  std::int32_t field;          //  0   4   tag; -1 ends the table
  std::int16_t length;         //  4   2   bytes at the destination
  std::int16_t kind;           //  6   2   FAC_KIND_RAW or FAC_KIND_TEXT (0 in static tables: raw)
  std::int16_t reserved;       //  8   2   0
  void* destination;           // 10   pointer
};
#pragma pack(pop)
static_assert(offsetof(FAC_ENTRY, destination) == 10, "FAC_ENTRY.destination at 10");
static_assert(sizeof(FAC_ENTRY) == 10 + sizeof(void*), "FAC_ENTRY is 14 bytes with 32-bit pointers");

// A field table built at run time, over a buffer that dfac_init allocates.
struct DFAC_TABLE;

extern "C" {
// Makes an empty field table in *table and, when *buffer is null, a zeroed buffer of `size`
// bytes for its fields in *buffer (owned by the table). Returns 0; 1 for a null argument or a
// negative size. `flags` is kept for the suite's callers and not used.
PLATFORM_API int dfac_init(DFAC_TABLE** table, char** buffer, int size, int flags);

// Adds field `tag` of `length` bytes at `address`, of kind 0 (raw) or 4 (text). Returns 0; 1 for
// a null table or address, a length outside 1..32767, or a tag of 0 or -1.
PLATFORM_API int dfac_addtype(DFAC_TABLE* table, long tag, void* address, int length, int kind);

// Frees the table and the buffer that dfac_init made for it; *table becomes null.
PLATFORM_API void dfac_free(DFAC_TABLE** table);

// The table's entries, ended by field number -1.
PLATFORM_API const FAC_ENTRY* dfac_entries(const DFAC_TABLE* table);

// Unpacks the handle's current record (after its first `key_length` bytes, up to the length last
// read) into the table's places. Fields the table does not name are skipped; places whose field
// the record lacks are left as they are. Returns 0, BTR_IO_ERROR for a damaged tagged record,
// BTR_FILE_NOT_OPEN for a null handle, BTR_INVALID_OPERATION for a null table or a key length
// outside the record.
PLATFORM_API int get_fac(const FAC_ENTRY* table, btrv_fcb* handle, int key_length);
PLATFORM_API int get_fac_dynamic(const DFAC_TABLE* table, btrv_fcb* handle, int key_length);

// Zeroes every place of the table. Returns 0 (1 for a null table).
PLATFORM_API int clear_fac(const FAC_ENTRY* table);
PLATFORM_API int clear_fac_dynamic(const DFAC_TABLE* table);

// The hooks of the table classes. After a read: unpack (places zeroed first, so that a field the
// record lacks reads as zero). Before an insert: pack the table's places into the record buffer
// after its key fields. Before an update: the same, keeping the current record's fields that the
// table does not name. 0, or BTR_DATA_BUFFER_TOO_SHORT when the fields do not fit the record,
// BTR_IO_ERROR when the record read is damaged.
PLATFORM_API int TLDGetFacNoTCB(btrv_fcb* handle, const FAC_ENTRY* table, int key_length);
PLATFORM_API int TLDInsertFacNoTCB(btrv_fcb* handle, const FAC_ENTRY* table, int key_length);
PLATFORM_API int TLDUpdateFacNoTCB(btrv_fcb* handle, const FAC_ENTRY* table, int key_length);

// Tagged tables. _tldopen opens `table_spec` (the table's file name) with its own record and key
// lengths; _tld runs an operation through a field table: a read unpacks the record found into it
// (TLDGetFacNoTCB), an insert or update packs it first. `lock` is kept for the suite's callers.
PLATFORM_API int _tldopen(btrv_fcb** handle, const char* table_spec, const char* data_path, int mode,
                          const char* source_file, int line, int report_flag);
PLATFORM_API int _tld(int operation, btrv_fcb* handle, const FAC_ENTRY* table, int lock,
                      const char* source_file, int line, int report_flag);
PLATFORM_API int _tldclose(btrv_fcb** handle, const char* source_file, int line, int report_flag);
}

// The same calls with a table built by dfac_init.
inline int get_fac(const DFAC_TABLE* table, btrv_fcb* handle, int key_length) {
  return get_fac_dynamic(table, handle, key_length);
}
inline int clear_fac(const DFAC_TABLE* table) { return clear_fac_dynamic(table); }
inline int _tld(int operation, btrv_fcb* handle, const DFAC_TABLE* table, int lock, const char* source_file,
                int line, int report_flag) {
  return _tld(operation, handle, table != nullptr ? dfac_entries(table) : nullptr, lock, source_file, line,
              report_flag);
}
