#include "tagged_area.h"

#include <cstring>

#include "platform/record_store.h"

namespace platform {

namespace {

bool all_zero(const char* bytes, int count) {
  for (int i = 0; i < count; ++i) {
    if (bytes[i] != 0) return false;
  }
  return true;
}

}  // namespace

int parse_tagged_area(const char* record, int start, int end, std::vector<TaggedField>* fields,
                      int* used_end) {
  fields->clear();
  int position = start;
  if (used_end != nullptr) *used_end = start;
  if (start < 0 || end < start) return BTR_IO_ERROR;
  while (position < end) {
    const int left = end - position;
    std::int32_t tag = 0;
    if (left < static_cast<int>(sizeof tag)) {
      // A few zero bytes at the very end are padding, not a field.
      if (all_zero(record + position, left)) break;
      return BTR_IO_ERROR;
    }
    std::memcpy(&tag, record + position, sizeof tag);
    if (tag == 0) break;
    if (left < kTaggedFieldHeaderLength) return BTR_IO_ERROR;
    std::uint16_t length = 0;
    std::memcpy(&length, record + position + sizeof tag, sizeof length);
    if (length > left - kTaggedFieldHeaderLength) return BTR_IO_ERROR;
    fields->push_back({tag, position + kTaggedFieldHeaderLength, length});
    position += kTaggedFieldHeaderLength + length;
    if (used_end != nullptr) *used_end = position;
  }
  return BTR_OK;
}

}  // namespace platform
