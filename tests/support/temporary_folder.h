// A folder made fresh for one test and removed, with everything in it, when the test ends.
#pragma once

#include <filesystem>
#include <string>

namespace test_support {

class TemporaryFolder {
 public:
  TemporaryFolder();
  ~TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string string() const { return path_.string(); }

 private:
  std::filesystem::path path_;
};

// Day number of a calendar date, for readable tests: day_number(6, 4, 2021).
long day_number(int day, int month, int year);

}  // namespace test_support
