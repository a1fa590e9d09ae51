// Reading the host program's JSON inputs: regular files only, shallow nesting, no repeated keys.
#include "json_input.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <system_error>
#include <vector>

namespace host {
namespace {

using nlohmann::json;

// A first pass over the text that builds nothing: it checks the nesting depth and the keys of each
// object, and stops at the first fault, so a hostile document costs no more than its length.
class StrictnessCheck : public nlohmann::json_sax<json> {
 public:
  std::string fault;

  bool null() override { return true; }
  bool boolean(bool) override { return true; }
  bool number_integer(number_integer_t) override { return true; }
  bool number_unsigned(number_unsigned_t) override { return true; }
  bool number_float(number_float_t, const string_t&) override { return true; }
  bool string(string_t&) override { return true; }
  bool binary(binary_t&) override { return true; }
  bool start_object(std::size_t) override {
    keys_.emplace_back();
    return deeper();
  }
  bool key(string_t& key) override {
    if (keys_.back().insert(key).second) return true;
    fault = "the key \"" + key + "\" is given twice in one object";
    return false;
  }
  bool end_object() override {
    keys_.pop_back();
    --depth_;
    return true;
  }
  bool start_array(std::size_t) override { return deeper(); }
  bool end_array() override {
    --depth_;
    return true;
  }
  bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception&) override {
    fault = "not JSON (at byte " + std::to_string(position) + ")";
    return false;
  }

 private:
  bool deeper() {
    if (++depth_ <= kMaxJsonDepth) return true;
    fault = "nested more than " + std::to_string(kMaxJsonDepth) + " levels deep";
    return false;
  }
  std::size_t depth_ = 0;
  std::vector<std::set<std::string>> keys_;
};

}  // namespace

bool read_input_file(const std::string& path, std::string& text, std::string& error) {
  std::error_code failure;
  const std::filesystem::file_status status = std::filesystem::status(path, failure);
  if (failure || !std::filesystem::exists(status)) {
    error = "cannot read " + path + ": no such file";
    return false;
  }
  if (!std::filesystem::is_regular_file(status)) {
    error = "cannot read " + path + ": not a regular file";
    return false;
  }
  const std::uintmax_t size = std::filesystem::file_size(path, failure);
  if (failure || size > kMaxInputFileBytes) {
    error =
        "cannot read " + path + ": larger than " + std::to_string(kMaxInputFileBytes / (1024 * 1024)) + " MB";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  std::ostringstream read;
  if (!in || !(read << in.rdbuf())) {
    // An empty file reads nothing, which the stream reports as a failure.
    if (in && size == 0) {
      text.clear();
      return true;
    }
    error = "cannot read " + path;
    return false;
  }
  text = read.str();
  return true;
}

bool parse_json_strictly(const std::string& text, nlohmann::json& document, std::string& error) {
  StrictnessCheck check;
  if (!json::sax_parse(text, &check)) {
    error = check.fault.empty() ? "not JSON" : check.fault;
    return false;
  }
  json parsed = json::parse(text, nullptr, false);
  if (parsed.is_discarded()) {
    error = "not JSON";
    return false;
  }
  document = std::move(parsed);
  return true;
}

}  // namespace host
