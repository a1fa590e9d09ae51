// Damages a small table file as the input says and uses it as a program would: each three bytes
// of input change one byte of the file (two bytes of offset, one to exclusive-or it with). The
// file must open or be refused with a status, every walk over every key (get next, get previous,
// get greater from the key buffer, and next and previous by keys alone) must end, and the file
// check must give a status.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

#include "platform/errors.h"
#include "platform/record_store.h"

namespace {

constexpr int kRows = 30;
constexpr int kStepLimit = 2 * kRows + 10;  // a walk still going by then has gone round

std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A folder of this run's own with the sound table file in it, made once.
struct Template {
  Template() {
    folder = std::filesystem::temp_directory_path() / ("qarntash-table-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    using platform::KeySegmentType;
    const platform::TableDefinition rows{"ROWS.TTL", "rows", 16, 8, false,
                                         {{{{0, 4, KeySegmentType::signed_integer}}, false},
                                          {{{4, 4, KeySegmentType::signed_integer}}, true},
                                          {{{8, 8, KeySegmentType::text}}, false}}};
    if (platform::create_table_file(folder.string(), rows) != BTR_OK) std::abort();
    for (int i = 0; i < kRows; ++i) {
      // number (0, 3, 6, ...), group (0 to 3), name: 16 bytes
      char record[16] = {0, 0, 0, 0, 0, 0, 0, 0, 'n', static_cast<char>('a' + i % 26), static_cast<char>('a' + i / 26)};
      const std::int32_t number = i * 3;
      const std::int32_t group = i % 4;
      std::memcpy(record, &number, sizeof number);
      std::memcpy(record + 4, &group, sizeof group);
      if (platform::insert_table_record(folder.string(), "ROWS.TTL", record, sizeof record) != BTR_OK) std::abort();
    }
    sound = read_file(folder / "ROWS.TTL");
  }
  ~Template() {
    std::error_code error;
    std::filesystem::remove_all(folder, error);
  }
  std::filesystem::path folder;
  std::string sound;
};

bool walk_ends(btrv_fcb* handle, int key, int first, int step) {
  int status = _bt(first, handle, key, "", 0, 0);
  for (int steps = 0; status == BTR_OK; ++steps) {
    if (steps > kStepLimit) return false;
    status = _bt(step, handle, key, "", 0, 0);
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Template table;
  if (size > 3 * 64) return 0;
  std::string damaged = table.sound;
  for (std::size_t i = 0; i + 3 <= size; i += 3) {
    const std::size_t offset = (static_cast<std::size_t>(data[i]) << 8 | data[i + 1]) % damaged.size();
    damaged[offset] = static_cast<char>(damaged[offset] ^ data[i + 2]);
  }
  const std::filesystem::path path = table.folder / "ROWS.TTL";
  std::error_code error;
  for (const char* suffix : {"-wal", "-shm"}) std::filesystem::remove(path.string() + suffix, error);
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(damaged.data(), static_cast<std::streamsize>(damaged.size()));
  }
  platform::ReportCapture quiet;
  btrv_fcb* handle = nullptr;
  if (_btopen(&handle, 0, 0, 16, 8, table.folder.string().c_str(), "ROWS.TTL", "qelbin", 0, "", 0, 0) == BTR_OK) {
    for (int key = 0; key < 3; ++key) {
      if (!walk_ends(handle, key, BTR_GET_FIRST, BTR_GET_NEXT) || !walk_ends(handle, key, BTR_GET_LAST, BTR_GET_PREVIOUS) ||
          !walk_ends(handle, key, BTR_GET_FIRST, BTR_GET_GREATER) ||
          !walk_ends(handle, key, BTR_GET_FIRST + BTR_GET_KEY, BTR_GET_NEXT + BTR_GET_KEY) ||
          !walk_ends(handle, key, BTR_GET_LAST + BTR_GET_KEY, BTR_GET_PREVIOUS + BTR_GET_KEY)) {
        std::abort();
      }
    }
    _btclose(&handle, "", 0, 0);
  }
  platform::check_table_file(table.folder.string(), "ROWS.TTL");
  return 0;
}
