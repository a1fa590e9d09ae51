// File: platform/record_store.h
//
// The record store: the practice's keyed tables. A table file on the data path ("ZORV1005.TTL")
// holds fixed-length records, each findable through one or more keys. A program opens a table
// (_btopen), fills the handle's key buffer, calls an operation (_bt) and reads the handle's
// record buffer; operation codes and status numbers are those of the Btrieve record manager,
// which the suite's programs were written against.
//
// Each table file is one SQLite database (WAL journal; every write is one transaction), so a
// crash loses at most the write in flight and never damages a table. Reads on one handle share a
// read snapshot for a short bound (50 ms or 10,000 reads, whichever comes first): a walk steps a
// cursor instead of paying a transaction per record, and still sees other programs' writes soon.
// The handle's next write, its close or the bound ends the snapshot; the first read after that
// sees the table as it stands. A handle left idle keeps its snapshot until its next call or close.
// File names are matched
// case-insensitively, as on Windows. A table's definition (record length, keys and their
// segments) is written into the file when it is made; the catalogue of practice tables is in
// platform/practice_tables.h.
//
// Rules that the programs rely on:
//  - every successful read makes that record current and puts its key (native layout) in the key
//    buffer, so a walk edits the key buffer between calls;
//  - get equal, get greater and get greater-or-equal give the oldest record of a group of equal
//    keys, get less the newest; get next and get previous walk a group in insertion order;
//  - insert updates every key or none (5 on a clash with a unique key) and makes the new record
//    current; update rewrites the current record (8 without one, 80 when another handle changed
//    it since it was read) and the position follows its new key;
//  - get next, get previous, update and delete take the key number that the position was
//    established on (by the last read or insert); another gives 7 and changes nothing;
//  - a walk by get next or get previous always ends, whatever a damaged file holds: it moves
//    along the key as stored, and a record whose bytes disagree with that key gives 2;
//  - a get with BTR_GET_KEY added ("get key": 55 to 63) answers as the get would and puts the
//    found key in the key buffer, leaving the record buffer as it was; next and previous (with
//    or without the record) step on from that key, but there is no current record to update or
//    delete (8);
//  - a record buffer shorter than the record gives 22 and copies nothing, a key number the table
//    lacks 6, a key buffer shorter than the key 21.
//
// Report flag: 1 when the caller ignores the result, so the store reports a failure itself on the
// report channel (platform/errors.h); 0 when the caller tests the result: the store is silent.
//
// Usage:
//   btrv_fcb* clients = nullptr;
//   if (_btopen(&clients, 0, 0, 28, 15, conf.data_path, "ZORV1005.TTL", "qelbin", 0,
//               __FILE__, __LINE__, 1) == 0) {
//     std::memcpy(clients->key_buffer, &reference, 5);
//     if (_bt(BTR_GET_EQUAL, clients, 1, __FILE__, __LINE__, 0) == BTR_OK) ... clients->record_buffer
//     _btclose(&clients, __FILE__, __LINE__, 1);
//   }
// A handle belongs to one thread at a time; two handles (or processes) on one table are safe.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/export.h"

// Operation codes.
enum : int {
  BTR_INSERT = 2,
  BTR_UPDATE = 3,
  BTR_DELETE = 4,
  BTR_GET_EQUAL = 5,
  BTR_GET_NEXT = 6,
  BTR_GET_PREVIOUS = 7,
  BTR_GET_GREATER = 8,
  BTR_GET_GREATER_OR_EQUAL = 9,
  BTR_GET_LESS = 10,
  BTR_GET_LESS_OR_EQUAL = 11,
  BTR_GET_FIRST = 12,
  BTR_GET_LAST = 13,
  // Added to a get (55 to 63, "get key"): finds the same record but gives only its key, into
  // the key buffer, from the key's index alone.
  BTR_GET_KEY = 50,
};

// Status numbers.
enum : int {
  BTR_OK = 0,
  BTR_INVALID_OPERATION = 1,
  BTR_IO_ERROR = 2,            // the file is damaged or could not be read or written
  BTR_FILE_NOT_OPEN = 3,       // null handle
  BTR_KEY_NOT_FOUND = 4,
  BTR_DUPLICATE_KEY = 5,
  BTR_INVALID_KEY_NUMBER = 6,
  BTR_DIFFERENT_KEY_NUMBER = 7,  // next, previous, update or delete on another key than the position's
  BTR_NO_CURRENT_RECORD = 8,   // update or delete with no record read; next or previous unpositioned
  BTR_END_OF_FILE = 9,
  BTR_INVALID_FILE_NAME = 11,
  BTR_FILE_NOT_FOUND = 12,
  BTR_KEY_BUFFER_TOO_SHORT = 21,
  BTR_DATA_BUFFER_TOO_SHORT = 22,  // also: a record to write that does not fit the table
  BTR_NOT_A_TABLE_FILE = 30,
  BTR_INVALID_ACCESS_WORD = 51,
  BTR_FILE_EXISTS = 59,
  BTR_RECORD_CONFLICT = 80,    // changed or deleted through another handle since it was read
  BTR_FILE_BUSY = 85,          // another writer held the table longer than the busy timeout
};

// The access word that every open passes.
constexpr const char* kRecordStoreAccessWord = "qelbin";

// The longest record and key buffer a table may have. The catalogue's longest record is 16,400
// bytes and its longest key 61; these leave room and keep every length well inside an int. A
// stored definition beyond them is damage (30 at open); a definition to create beyond them is
// refused (11), and so is a buffer asked for at open (22 for the record, 21 for the key).
constexpr int kRecordStoreMaxRecordLength = 65535;
constexpr int kRecordStoreMaxKeyLength = 255;

namespace platform {
class TableConnection;
}

// An open table. The caller reads and writes the two buffers; the rest is the store's.
struct PLATFORM_API btrv_fcb {
  char* record_buffer = nullptr;  // record_length bytes
  char* key_buffer = nullptr;     // key_length bytes
  int record_length = 0;          // as opened
  int key_length = 0;             // as opened
  int data_length = 0;            // length of the record last read
  int last_status = 0;            // status of the last operation (for BTError)
  int last_operation = 0;
  int last_key_number = 0;
  std::string file_name;          // as the caller named it
  platform::TableConnection* connection = nullptr;
};

extern "C" {
// Opens table `file_name` in folder `data_path` (empty or null: the working folder) with a record
// buffer of `record_length` and a key buffer of `key_length` bytes (0 takes the table's own
// lengths). `access_word` must be "qelbin". Returns 0 and sets *handle; otherwise a status
// (12 no such file, 30 not a table or a damaged definition, 51 wrong access word, 2 damaged,
// 22 or 21 for a buffer beyond the store's longest) and *handle stays null.
// `mode` and `reserved` are kept for the suite's callers and not used.
PLATFORM_API int _btopen(btrv_fcb** handle, int mode, int reserved, int record_length, int key_length,
                         const char* data_path, const char* file_name, const char* access_word,
                         int reserved2, const char* source_file, int line, int report_flag);

// Runs one operation on key `key_number`. Returns its status.
PLATFORM_API int _bt(int operation, btrv_fcb* handle, int key_number, const char* source_file, int line,
                     int report_flag);

// Closes the table and frees the handle; *handle becomes null. A null handle gives 3.
PLATFORM_API int _btclose(btrv_fcb** handle, const char* source_file, int line, int report_flag);

// Reports the handle's last unexpected status with the caller's message number. Returns that
// status (3 for a null handle).
PLATFORM_API int BTError(btrv_fcb* handle, const char* source_file, int line, int message_number);
}

// The text of a status: "key value not found" for 4.
PLATFORM_API const char* btr_status_text(int status);

namespace platform {

// ---- Table definitions and administration -------------------------------------------------

enum class KeySegmentType : std::uint8_t {
  signed_integer = 0,    // little-endian, 1, 2, 4 or 8 bytes; negative before positive
  unsigned_integer = 1,  // little-endian, 1, 2, 4 or 8 bytes
  text = 2,              // NUL-padded: bytes after the first NUL do not count
  raw = 3,               // compared byte by byte
};

struct KeySegment {
  int offset;  // in the record
  int length;
  KeySegmentType type;
};

struct PLATFORM_API KeyDefinition {
  std::vector<KeySegment> segments;  // in the key buffer one after another, in this order
  bool duplicates = false;
  int length() const;
};

struct TableDefinition {
  std::string file_name;        // as the programs name it: "ZORV1005.TTL"
  std::string description;      // "clients"
  int record_length = 0;        // bytes of the record buffer
  int key_buffer_length = 0;    // bytes of the key buffer the programs open with
  bool tagged = false;          // tagged fields (tag, length, bytes) after the first key_buffer_length bytes
  std::vector<KeyDefinition> keys;
};

// Checks a definition: lengths positive and within the store's longest, segments inside the record, integer lengths 1/2/4/8,
// each key no longer than the key buffer. Empty when sound, else what is wrong.
PLATFORM_API std::string definition_problem(const TableDefinition& definition);

// Makes the table file `definition.file_name` in `data_path`. 0, or 59 when a file of that name
// (in any case) exists, 11 for an unsound definition, 2 when it cannot be written. The file is
// built under a name of this maker's own and appears under its table name only whole; of two
// makers of one table at the same moment, one gets 0 and the other 59, leaving nothing behind.
PLATFORM_API int create_table_file(const std::string& data_path, const TableDefinition& definition);

// True when `data_path` names a PostgreSQL server rather than a folder: a connection URI
// ("postgresql://..." or "postgres://..."), with the practice's schema after '#'
// ("postgresql://server/practices#smith_and_co"; without '#' the schema is "practice").
PLATFORM_API bool is_server_data_path(const std::string& data_path);

// Copies table `file_name` from one data path to another, which must not hold it yet: every
// record, in the order they were written, in one transaction. 0, or the status of the first
// failure (59 when the target has the table); `problem` (may be null) then says what failed.
PLATFORM_API int copy_table(const std::string& from, const std::string& to, const std::string& file_name,
                            std::string* problem);

// Compares table `file_name` on two data paths: the same definition, and by every key the same
// records in the same order. 0, or 2 with `problem` naming the first difference; a table that
// does not open gives its status.
PLATFORM_API int compare_tables(const std::string& a, const std::string& b, const std::string& file_name,
                                std::string* problem);

// The path of `file_name` in `data_path`, matched case-insensitively; empty when there is none.
PLATFORM_API std::string find_table_file(const std::string& data_path, const std::string& file_name);

// Reads the definition stored in a table file. 0, or the status of a failed open.
PLATFORM_API int read_table_definition(const std::string& path, TableDefinition* definition);

// Checks a table file: 0 when it opens as a table, SQLite's integrity check passes and every
// record has its table's length and the keys stored for it; else the status of the failure (2
// for damage, with a line on the report channel naming the record).
PLATFORM_API int check_table_file(const std::string& data_path, const std::string& file_name);

// Inserts one record (`length` bytes, at most the record length; the rest is zero) into a table.
// Returns the insert's status.
PLATFORM_API int insert_table_record(const std::string& data_path, const std::string& file_name,
                                     const void* record, int length);

// Inserts `count` records of `record_length` bytes each (laid one after another) in one
// transaction: all of them or, on the first failure, none. Returns 0 or that failure's status.
PLATFORM_API int load_table_records(const std::string& data_path, const std::string& file_name,
                                    const void* records, int count, int record_length);

// How long a write waits for another writer before giving 85, in milliseconds (default 5000), for
// tables opened after the call.
PLATFORM_API void set_record_store_busy_timeout(int milliseconds);

// How long reads on one handle share a read snapshot: at most `milliseconds` and `reads` reads
// (defaults 50 and 10,000), from the next snapshot begun. Either 0 makes every read its own
// transaction, as a store without snapshots would be (to measure what the snapshot saves).
PLATFORM_API void set_record_store_read_snapshot_bound(int milliseconds, int reads);

}  // namespace platform
