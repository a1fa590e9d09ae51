// Feeds arbitrary bytes to the field-table calls as a tagged record read from a table: the first
// byte chooses the key length, the rest is the record. Unpacking must give 0 or BTR_IO_ERROR and
// never write outside the places; packing the places back (keeping the record's other fields)
// must give 0 or BTR_DATA_BUFFER_TOO_SHORT and leave a record that unpacks cleanly.
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
  FAC_ENTRY fields[] = {{500, 2, FAC_KIND_RAW, 0, &places.code},
                        {1400, 4, FAC_KIND_RAW, 0, &places.options},
                        {101, 11, FAC_KIND_TEXT, 0, places.text},
                        {154, 1, FAC_KIND_RAW, 0, &places.one},
                        {201, 300, FAC_KIND_TEXT, 0, places.wide},
                        {-1, 0, 0, 0, nullptr}};
  const int unpacked = get_fac(fields, &handle, key_length);
  if (unpacked != 0 && unpacked != BTR_IO_ERROR && unpacked != BTR_INVALID_OPERATION) std::abort();

  const int packed = TLDUpdateFacNoTCB(&handle, fields, key_length);
  if (packed != 0 && packed != BTR_DATA_BUFFER_TOO_SHORT && packed != BTR_INVALID_OPERATION) std::abort();
  if (packed == 0) {
    handle.data_length = handle.record_length;
    Places again{};
    FAC_ENTRY reread[] = {{500, 2, FAC_KIND_RAW, 0, &again.code},
                          {1400, 4, FAC_KIND_RAW, 0, &again.options},
                          {101, 11, FAC_KIND_TEXT, 0, again.text},
                          {154, 1, FAC_KIND_RAW, 0, &again.one},
                          {201, 300, FAC_KIND_TEXT, 0, again.wide},
                          {-1, 0, 0, 0, nullptr}};
    if (get_fac(reread, &handle, key_length) != 0) std::abort();
    if (std::memcmp(&again, &places, sizeof places) != 0) std::abort();  // what was packed reads back
  }
  return 0;
}
