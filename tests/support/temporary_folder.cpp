#include "support/temporary_folder.h"

#include <atomic>
#include <chrono>
#include <system_error>

#include "platform/dates.h"

#if !defined(_WIN32)
#  include <unistd.h>
#endif

namespace test_support {

namespace {
std::atomic<int> g_folders_made{0};
}

TemporaryFolder::TemporaryFolder() {
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
#if defined(_WIN32)
  const long process = 0;
#else
  const long process = static_cast<long>(getpid());
#endif
  path_ = std::filesystem::temp_directory_path() /
          ("qarntash-test-" + std::to_string(process) + "-" + std::to_string(stamp) + "-" +
           std::to_string(g_folders_made++));
  std::filesystem::create_directories(path_);
}

TemporaryFolder::~TemporaryFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

long day_number(int day, int month, int year) { return fp_builddate(day, month, year); }

}  // namespace test_support
