#include "stored_row.h"

#include <cstring>
#include <vector>

#include "key_encoding.h"
#include "tagged_area.h"

namespace platform {

bool is_key_only_read(int operation) {
  const int read = operation - BTR_GET_KEY;
  return read >= BTR_GET_EQUAL && read <= BTR_GET_LAST;
}

bool is_read_operation(int operation) {
  return (operation >= BTR_GET_EQUAL && operation <= BTR_GET_LAST) || is_key_only_read(operation);
}

int read_without_key_only(int operation) { return is_key_only_read(operation) ? operation - BTR_GET_KEY : operation; }

int seek_number(int operation) {
  switch (read_without_key_only(operation)) {
    case BTR_GET_GREATER: return 1;
    case BTR_GET_GREATER_OR_EQUAL: return 2;
    case BTR_GET_LESS: return 3;
    case BTR_GET_LESS_OR_EQUAL: return 4;
    case BTR_GET_FIRST: return 5;
    case BTR_GET_LAST: return 6;
    default: return 0;
  }
}

int position_allows(const TablePosition& position, int key_number, bool needs_current) {
  if (!(needs_current ? position.has_current : position.positioned)) return BTR_NO_CURRENT_RECORD;
  return key_number == position.key_number ? BTR_OK : BTR_DIFFERENT_KEY_NUMBER;
}

bool stored_length_fits(const TableDefinition& definition, int length) {
  return length <= definition.record_length && (definition.tagged || length == definition.record_length) &&
         (!definition.tagged || length >= definition.key_buffer_length);
}

int take_stored_row(const TableDefinition& definition, int key_number, const StoredRow& row,
                    TablePosition* position, btrv_fcb& handle) {
  if (!stored_length_fits(definition, row.length)) return BTR_IO_ERROR;
  // Nothing is copied into a buffer the record does not fit, and the position does not move.
  if (row.length > handle.record_length) return BTR_DATA_BUFFER_TOO_SHORT;
  // Built in scratch space and swapped in whole, so a damaged row leaves the current record as it
  // was; the two buffers keep their storage from step to step.
  TablePosition& p = *position;
  p.scratch_record.assign(row.data != nullptr ? row.data : "", static_cast<std::size_t>(row.length));
  p.scratch_record.resize(static_cast<std::size_t>(definition.record_length), '\0');
  const KeyDefinition& key = definition.keys[static_cast<std::size_t>(key_number)];
  encode_key_from_record(key, p.scratch_record.data(), &p.scratch_key);
  // The record was found by its stored key; bytes that say another key are damage, and walking on
  // from either would not be a walk along the key.
  if (row.key == nullptr || p.scratch_key.size() != static_cast<std::size_t>(row.key_length) ||
      std::memcmp(p.scratch_key.data(), row.key, p.scratch_key.size()) != 0) {
    return BTR_IO_ERROR;
  }
  p.record.swap(p.scratch_record);
  p.key_value.swap(p.scratch_key);
  p.id = row.id;
  p.version = row.version;
  p.key_number = key_number;
  p.order = key.duplicates ? row.order : 0;
  p.positioned = true;
  p.has_current = true;
  std::memcpy(handle.record_buffer, p.record.data(), static_cast<std::size_t>(row.length));
  std::memset(handle.record_buffer + row.length, 0, static_cast<std::size_t>(handle.record_length - row.length));
  handle.data_length = row.length;
  copy_key_to_buffer(key, p.record.data(), handle.key_buffer);
  return BTR_OK;
}

int take_stored_key(const TableDefinition& definition, int key_number, const StoredRow& row, TablePosition* position,
                    btrv_fcb& handle) {
  const KeyDefinition& key = definition.keys[static_cast<std::size_t>(key_number)];
  if (row.key == nullptr || row.key_length != key.length()) return BTR_IO_ERROR;
  TablePosition& p = *position;
  p.key_value.assign(row.key, static_cast<std::size_t>(row.key_length));
  p.id = row.id;
  p.key_number = key_number;
  p.order = key.duplicates ? row.order : 0;
  p.positioned = true;
  p.has_current = false;
  decode_key_to_buffer(key, p.key_value, handle.key_buffer);
  return BTR_OK;
}

int record_to_store(const TableDefinition& definition, const btrv_fcb& handle, std::string* data) {
  if (handle.record_length < definition.record_length) return BTR_DATA_BUFFER_TOO_SHORT;
  int length = definition.record_length;
  if (definition.tagged) {
    std::vector<TaggedField> fields;
    int used_end = 0;
    if (parse_tagged_area(handle.record_buffer, definition.key_buffer_length, definition.record_length, &fields,
                          &used_end) == BTR_OK) {
      length = used_end;
    }
  }
  data->assign(handle.record_buffer, static_cast<std::size_t>(length));
  return BTR_OK;
}

std::vector<std::string> encoded_keys_of_stored(const TableDefinition& definition, const std::string& data) {
  std::string padded = data;  // a tagged record is stored without its free space
  padded.resize(static_cast<std::size_t>(definition.record_length), '\0');
  std::vector<std::string> keys;
  keys.reserve(definition.keys.size());
  for (const KeyDefinition& key : definition.keys) keys.push_back(encode_key_from_record(key, padded.data()));
  return keys;
}

std::string stored_record_problem(const TableDefinition& definition, std::int64_t id, const char* data, int length,
                                  const char* const* keys, const int* key_lengths) {
  const std::string name = "record " + std::to_string(id);
  if (!stored_length_fits(definition, length)) return name + " is " + std::to_string(length) + " bytes long";
  std::string record(static_cast<std::size_t>(definition.record_length), '\0');
  if (length > 0) std::memcpy(&record[0], data, static_cast<std::size_t>(length));
  for (std::size_t key = 0; key < definition.keys.size(); ++key) {
    const std::string of_bytes = encode_key_from_record(definition.keys[key], record.data());
    if (keys[key] == nullptr || of_bytes.size() != static_cast<std::size_t>(key_lengths[key]) ||
        std::memcmp(of_bytes.data(), keys[key], of_bytes.size()) != 0) {
      return name + " holds another key " + std::to_string(key) + " than the one stored for it";
    }
  }
  return "";
}

}  // namespace platform

namespace platform {

int add_stored_key_segment(TableDefinition* definition, int key_number, int offset, int length, int type,
                           bool duplicates) {
  const int keys_so_far = static_cast<int>(definition->keys.size());
  // A row is of the key last begun or begins the next.
  if (key_number == keys_so_far) {
    definition->keys.emplace_back();
    definition->keys.back().duplicates = duplicates;
  } else if (keys_so_far == 0 || key_number != keys_so_far - 1) {
    return BTR_NOT_A_TABLE_FILE;
  }
  KeyDefinition& key = definition->keys.back();
  if (key.duplicates != duplicates) return BTR_NOT_A_TABLE_FILE;
  if (type < 0 || type > static_cast<int>(KeySegmentType::raw)) return BTR_NOT_A_TABLE_FILE;
  key.segments.push_back({offset, length, static_cast<KeySegmentType>(type)});
  return BTR_OK;
}

}  // namespace platform
