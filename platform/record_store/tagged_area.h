// The tagged area of a record: after the record's first `start` bytes (its key fields), a run of
// tagged fields, each a 32-bit tag (little-endian), a 16-bit length and that many bytes. A tag of
// 0, or the end of the data read, ends the run.
#pragma once

#include <cstdint>
#include <vector>

namespace platform {

struct TaggedField {
  std::int32_t tag;
  int offset;  // of the field's bytes in the record
  int length;
};

constexpr int kTaggedFieldHeaderLength = 6;

// Parses record[start, end). BTR_OK with the fields; BTR_IO_ERROR when a header or a field's
// bytes run past `end` (the fields are then not to be trusted). `used_end` (may be null) gets
// the end of the last whole field.
int parse_tagged_area(const char* record, int start, int end, std::vector<TaggedField>* fields,
                      int* used_end);

}  // namespace platform
