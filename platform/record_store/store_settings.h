// Settings and rules shared by every table connection of the process.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Table file names match whatever their case, as on Windows: "zorv1005.ttl" names ZORV1005.TTL.
bool same_file_name(const std::string& a, const std::string& b);

// Milliseconds a write waits for another writer before it gives up with 85.
int record_store_busy_timeout();

// How long reads on one handle share a read snapshot: at most this many milliseconds and reads.
// Either 0: every read is its own transaction.
struct ReadSnapshotBound {
  int milliseconds;
  int reads;
};
ReadSnapshotBound record_store_read_snapshot_bound();

// Counts the writes made through any handle of this process. A snapshot begun before the count
// last moved is renewed at its next read, so a program sees its own writes at once, whichever
// handle made them; only other programs' writes wait for the bound.
std::uint64_t record_store_writes_in_process();
void count_record_store_write();

// The age of one read snapshot, held against the bound.
class SnapshotAge {
 public:
  // Starts counting a snapshot begun now.
  void start();
  // Counts one more read; false once the snapshot has reached the bound or a write of this
  // program has happened since it began, so it must end before the read.
  bool serves_another_read();
  // The reads it may still serve after the one being made, by the count alone (its age in
  // milliseconds may end it sooner).
  int reads_left() const;

 private:
  std::int64_t began_ms_ = 0;
  int reads_ = 0;
  std::uint64_t writes_seen_ = 0;
};

}  // namespace platform
