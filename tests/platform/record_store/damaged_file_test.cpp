// A damaged table file gives statuses, never a walk that goes on for ever: every byte of a small
// table's records page is changed in turn, and every walk over every key must end.
// QARNTASH_DAMAGE_SWEEP=pages sweeps the key indexes' pages too, =full every byte of the file
// (minutes, not seconds).
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "store_fixture.h"

namespace record_store_test {
namespace {

constexpr int kRows = 40;
constexpr int kPageSize = 4096;
// More steps than the table has records: a walk still going by then has gone round.
constexpr int kStepLimit = 2 * kRows + 10;

std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void write_file(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Pages (numbered from 1) that hold the records table, and with `indexes` its key indexes.
std::vector<int> record_pages(const std::filesystem::path& path, bool indexes) {
  std::vector<int> pages;
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(path.string().c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_stmt* statement = nullptr;
    const std::string sql = std::string("SELECT rootpage FROM sqlite_master WHERE rootpage > 0 AND ") +
                            (indexes ? "tbl_name = 'records'" : "name = 'records'");
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK) {
      while (sqlite3_step(statement) == SQLITE_ROW) pages.push_back(sqlite3_column_int(statement, 0));
    }
    sqlite3_finalize(statement);
  }
  sqlite3_close(db);
  return pages;
}

// Whether a walk by `first`/`step` (or by get greater from the key buffer when `step` is 0) ends
// within the step limit.
bool walk_ends(btrv_fcb* handle, int key, int first, int step) {
  int status = _bt(first, handle, key, "", 0, 0);
  for (int steps = 0; status == BTR_OK; ++steps) {
    if (steps > kStepLimit) return false;
    status = _bt(step != 0 ? step : BTR_GET_GREATER, handle, key, "", 0, 0);
  }
  return true;
}

// Opens the table and walks each key forwards, backwards and by get greater. False when a walk
// does not end.
bool every_walk_ends(const std::string& folder) {
  btrv_fcb* handle = nullptr;
  if (_btopen(&handle, 0, 0, 16, 8, folder.c_str(), "ROWS.TTL", "qelbin", 0, "", 0, 0) != BTR_OK) return true;
  bool ends = true;
  for (int key = 0; key < 3 && ends; ++key) {
    ends = walk_ends(handle, key, BTR_GET_FIRST, BTR_GET_NEXT) && walk_ends(handle, key, BTR_GET_LAST, BTR_GET_PREVIOUS) &&
           walk_ends(handle, key, BTR_GET_FIRST, 0);
  }
  _btclose(&handle, "", 0, 0);
  return ends;
}

class DamagedFile : public StoreTest {};

TEST_F(DamagedFile, EveryWalkEndsWhateverByteIsChanged) {
  for (int i = 0; i < kRows; ++i) ASSERT_EQ(insert(row(i * 3, i % 4, ("n" + std::to_string(i)).c_str())), BTR_OK);
  _btclose(&table, "", 0, 0);
  const std::filesystem::path path = folder.path() / "ROWS.TTL";
  const std::string sound = read_file(path);
  ASSERT_EQ(sound.size() % kPageSize, 0u);
  std::vector<std::size_t> offsets;
  const char* sweep = std::getenv("QARNTASH_DAMAGE_SWEEP");
  const std::string extent = sweep != nullptr ? sweep : "";
  if (extent == "full") {
    for (std::size_t offset = 0; offset < sound.size(); ++offset) offsets.push_back(offset);
  } else {
    for (int page : record_pages(path, extent == "pages")) {
      for (int byte = 0; byte < kPageSize; ++byte) offsets.push_back(static_cast<std::size_t>(page - 1) * kPageSize + byte);
    }
  }
  ASSERT_FALSE(offsets.empty());
  platform::ReportCapture quiet;
  int endless = 0;
  std::vector<std::size_t> first_endless;
  for (std::size_t offset : offsets) {
    std::string damaged = sound;
    damaged[offset] = static_cast<char>(damaged[offset] ^ 0x21);
    std::error_code error;
    std::filesystem::remove(folder.path() / "ROWS.TTL-wal", error);
    std::filesystem::remove(folder.path() / "ROWS.TTL-shm", error);
    write_file(path, damaged);
    if (!every_walk_ends(folder.string())) {
      ++endless;
      if (first_endless.size() < 5) first_endless.push_back(offset);
    }
  }
  RecordProperty("damaged_files", static_cast<int>(offsets.size()));
  RecordProperty("endless_walks", endless);
  std::string where;
  for (std::size_t offset : first_endless) where += " " + std::to_string(offset);
  EXPECT_EQ(endless, 0) << "of " << offsets.size() << " damaged files; first at bytes" << where;
}

}  // namespace
}  // namespace record_store_test
