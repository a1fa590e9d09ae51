// The host's JSON inputs: only regular files, shallow nesting, no repeated keys.
#include "json_input.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "support/temporary_folder.h"

namespace {

using test_support::TemporaryFolder;

TEST(JsonInput, RefusesWhatNoInputShouldBe) {
  const std::string deep_but_allowed =
      std::string(host::kMaxJsonDepth, '[') + std::string(host::kMaxJsonDepth, ']');
  const std::string too_deep = "[" + deep_but_allowed + "]";
  const std::string hostile = std::string(100000, '[') + std::string(100000, ']');
  const struct {
    std::string text;
    const char* fault;
  } cases[] = {
      {deep_but_allowed, nullptr},
      {R"({"a": {"a": 1}, "b": [{"a": 1}, {"a": 2}]})", nullptr},
      {too_deep, "nested more than 32 levels deep"},
      {hostile, "nested more than 32 levels deep"},
      {R"({"listPrice": 1, "listPrice": 2})", "the key \"listPrice\" is given twice"},
      {R"([{"a": {"b": 1, "b": 1}}])", "the key \"b\" is given twice"},
      {R"({"a": 1} x)", "not JSON"},
      {"", "not JSON"},
  };
  for (const auto& c : cases) {
    nlohmann::json document = "unchanged";
    std::string error;
    const bool taken = host::parse_json_strictly(c.text, document, error);
    EXPECT_EQ(taken, c.fault == nullptr) << c.text.substr(0, 40);
    if (c.fault != nullptr) {
      EXPECT_NE(error.find(c.fault), std::string::npos) << error;
      EXPECT_EQ(document, "unchanged");
    }
  }
}

TEST(JsonInput, ReadsOnlyRegularFiles) {
  TemporaryFolder folder;
  const std::string file = folder.string() + "/car.json";
  std::ofstream(file) << "{}";
  const std::string empty = folder.string() + "/empty.json";
  std::ofstream{empty};
  const struct {
    std::string path;
    const char* fault;
  } cases[] = {
      {file, nullptr},
      {empty, nullptr},
      {folder.string(), "not a regular file"},
      {folder.string() + "/none.json", "no such file"},
#if defined(_WIN32)
      {"NUL", "no such file"},  // the null device is no file that the file system shows
#else
      {"/dev/null", "not a regular file"},
#endif
  };
  for (const auto& c : cases) {
    std::string text = "unchanged";
    std::string error;
    EXPECT_EQ(host::read_input_file(c.path, text, error), c.fault == nullptr) << c.path;
    if (c.fault != nullptr) {
      EXPECT_NE(error.find(c.fault), std::string::npos) << error;
      EXPECT_NE(error.find(c.path), std::string::npos) << error;
      EXPECT_EQ(text, "unchanged");
    }
  }
}

}  // namespace
