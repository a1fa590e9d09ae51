// Keys in an order-preserving encoding: the encoded bytes of two keys compare (memcmp, as SQLite
// compares blobs) in the order the programs expect of the keys themselves.
#pragma once

#include <string>

#include "platform/record_store.h"

namespace platform {

// The encoded key `key` of a record (`record` holds at least the table's record length).
std::string encode_key_from_record(const KeyDefinition& key, const char* record);
// The same into `out`, reusing its storage (a walk encodes a key at every step).
void encode_key_from_record(const KeyDefinition& key, const char* record, std::string* out);

// The encoded key from a key buffer, which holds the segments one after another.
std::string encode_key_from_buffer(const KeyDefinition& key, const char* key_buffer);
// The same into `out`, reusing its storage (a run of look-ups encodes a key at every seek).
void encode_key_from_buffer(const KeyDefinition& key, const char* key_buffer, std::string* out);

// Puts an encoded key back into a key buffer in its native layout. A text segment comes back
// NUL-padded: what followed its first NUL was never part of the key.
void decode_key_to_buffer(const KeyDefinition& key, const std::string& encoded, char* key_buffer);

// Puts a record's key, in its native layout, into a key buffer.
void copy_key_to_buffer(const KeyDefinition& key, const char* record, char* key_buffer);

}  // namespace platform
