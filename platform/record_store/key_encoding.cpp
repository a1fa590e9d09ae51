#include "key_encoding.h"

#include <cstring>

namespace platform {

namespace {

// Integers become big-endian, so that byte order is numeric order; a signed one also has its sign
// bit flipped, so that negative numbers come before positive ones.
void append_segment(const KeySegment& segment, const char* bytes, std::string& out) {
  const auto* source = reinterpret_cast<const unsigned char*>(bytes);
  switch (segment.type) {
    case KeySegmentType::signed_integer:
    case KeySegmentType::unsigned_integer: {
      const std::size_t first = out.size();
      for (int i = segment.length - 1; i >= 0; --i) out.push_back(static_cast<char>(source[i]));
      if (segment.type == KeySegmentType::signed_integer) out[first] = static_cast<char>(out[first] ^ 0x80);
      break;
    }
    case KeySegmentType::text: {
      const std::size_t used = strnlen(bytes, static_cast<std::size_t>(segment.length));
      out.append(bytes, used);
      out.append(static_cast<std::size_t>(segment.length) - used, '\0');
      break;
    }
    case KeySegmentType::raw:
      out.append(bytes, static_cast<std::size_t>(segment.length));
      break;
  }
}

}  // namespace

std::string encode_key_from_record(const KeyDefinition& key, const char* record) {
  std::string out;
  encode_key_from_record(key, record, &out);
  return out;
}

void encode_key_from_record(const KeyDefinition& key, const char* record, std::string* out) {
  out->clear();
  out->reserve(static_cast<std::size_t>(key.length()));
  for (const KeySegment& segment : key.segments) append_segment(segment, record + segment.offset, *out);
}

std::string encode_key_from_buffer(const KeyDefinition& key, const char* key_buffer) {
  std::string out;
  encode_key_from_buffer(key, key_buffer, &out);
  return out;
}

void encode_key_from_buffer(const KeyDefinition& key, const char* key_buffer, std::string* out) {
  out->clear();
  out->reserve(static_cast<std::size_t>(key.length()));
  int position = 0;
  for (const KeySegment& segment : key.segments) {
    append_segment(segment, key_buffer + position, *out);
    position += segment.length;
  }
}

void decode_key_to_buffer(const KeyDefinition& key, const std::string& encoded, char* key_buffer) {
  std::size_t position = 0;
  for (const KeySegment& segment : key.segments) {
    const auto length = static_cast<std::size_t>(segment.length);
    const char* source = encoded.data() + position;
    char* target = key_buffer + position;
    if (segment.type == KeySegmentType::signed_integer || segment.type == KeySegmentType::unsigned_integer) {
      for (std::size_t i = 0; i < length; ++i) target[i] = source[length - 1 - i];
      if (segment.type == KeySegmentType::signed_integer) target[length - 1] = static_cast<char>(target[length - 1] ^ 0x80);
    } else {
      std::memcpy(target, source, length);
    }
    position += length;
  }
}

void copy_key_to_buffer(const KeyDefinition& key, const char* record, char* key_buffer) {
  int position = 0;
  for (const KeySegment& segment : key.segments) {
    std::memcpy(key_buffer + position, record + segment.offset, static_cast<std::size_t>(segment.length));
    position += segment.length;
  }
}

}  // namespace platform
