// Feeds arbitrary bytes to the field-table calls as a tagged record read from a table: the first
// byte chooses the key length, the rest is the record. Unpacking must give 0 or BTR_IO_ERROR and
// never write outside the places; packing the places back (keeping the record's other fields)
// must give 0, BTR_DATA_BUFFER_TOO_SHORT or (for a damaged record) BTR_IO_ERROR, and leave a record
// that unpacks cleanly.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/errors.h"
#include "platform/field_tables.h"

namespace {

struct Places {
  std::int16_t code;
  std::int32_t options;
  char text[11];
  char one;
  char wide[300];
};

// The field table over a set of places, ended by field number -1.
struct FieldTable {
  explicit FieldTable(Places& places)
      : entries{{500, 2, FAC_KIND_RAW, 0, &places.code},  {1400, 4, FAC_KIND_RAW, 0, &places.options},
                {101, 11, FAC_KIND_TEXT, 0, places.text}, {154, 1, FAC_KIND_RAW, 0, &places.one},
                {201, 300, FAC_KIND_TEXT, 0, places.wide}, {-1, 0, 0, 0, nullptr}} {}
  FAC_ENTRY entries[6];
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0 || size > 20000) return 0;
  platform::ReportCapture quiet;  // damaged records are reported; keep the run's output clean
  const int key_length = data[0] % 32;
  std::vector<char> record(data + 1, data + size);
  record.resize(record.size() + 1);  // never an empty buffer

  btrv_fcb handle;
  handle.record_buffer = record.data();
  handle.record_length = static_cast<int>(record.size());
  handle.data_length = static_cast<int>(size - 1);
  handle.file_name = "FUZZ.TTL";

  Places places{};
  FieldTable table(places);
  const FAC_ENTRY* fields = table.entries;
  const int unpacked = get_fac(fields, &handle, key_length);
  if (unpacked != 0 && unpacked != BTR_IO_ERROR && unpacked != BTR_INVALID_OPERATION) std::abort();

  const int packed = TLDUpdateFacNoTCB(&handle, fields, key_length);
  if (packed != 0 && packed != BTR_DATA_BUFFER_TOO_SHORT && packed != BTR_INVALID_OPERATION &&
      packed != BTR_IO_ERROR) {
    std::abort();
  }
  if (packed == 0) {
    handle.data_length = handle.record_length;
    Places again{};
    FieldTable reread(again);
    if (get_fac(reread.entries, &handle, key_length) != 0) std::abort();
    if (std::memcmp(&again, &places, sizeof places) != 0) std::abort();  // what was packed reads back
  }
  return 0;
}
