// The record store on a PostgreSQL server, for a practice whose staff share its tables from many
// desktops. The data path is a connection URI with the practice's schema after '#':
// "postgresql:///qarntash?host=/run/postgresql#practice" (without '#': the schema "practice").
//
// Layout in the practice's schema:
//   qarntash_tables(name, file_name, description, record_length, key_buffer_length, tagged, format)
//   qarntash_key_segments(name, key_number, segment_number, "offset", length, type, duplicates)
//   one table per table file, named by its file name in lower case ("zorv1005.ttl"):
//     (id, version, data, k0, o0, k1, ...) with the keys, order columns and versions of a table
//     file (table_connection.h); bytea compares bytewise, as SQLite's blobs do.
// Every write is its own transaction unless a load groups them, and the server makes it durable
// before it answers. An update or delete waits for another user's row lock at most the busy
// timeout (then 85) and answers 80 when that user changed the record. Reads share a read-only
// REPEATABLE READ snapshot under the same bound as a table file's, and get next / get previous
// read ahead a growing batch of records inside it, so a walk pays one round trip per batch.
// A lost connection gives 2 for the call it broke; the next call connects again.
#pragma once

#include <memory>
#include <string>

#include "platform/record_store.h"
#include "table_backend.h"

namespace platform {

int open_server_table(const std::string& data_path, const std::string& file_name,
                      std::unique_ptr<TableConnection>* out);

// The table's file name as stored, or empty when the practice has no such table (or no server answers).
std::string find_server_table(const std::string& data_path, const std::string& file_name);

// Makes the table in the practice's schema (and the schema, the first time). 0, 59 when the
// table exists, 11 for a name the server cannot hold, 2 when the server cannot be reached.
int create_server_table(const std::string& data_path, const TableDefinition& definition);

}  // namespace platform
