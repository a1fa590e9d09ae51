// Reading the host program's JSON inputs (a car, validation messages, the limits data) safely:
// only from a regular file of modest size, with nesting kept shallow (a deeply nested document
// would exhaust the stack of any recursive reader) and duplicate keys refused (a repeated key
// would otherwise silently take the last value).
//
// Usage:
//   std::string text, error;
//   nlohmann::json document;
//   if (!host::read_input_file(path, text, error) || !host::parse_json_strictly(text, document, error)) {
//     report error
//   }
#pragma once

#include <cstddef>
#include <nlohmann/json.hpp>
#include <string>

namespace host {

// Deepest nesting of arrays and objects accepted: the inputs need three levels.
constexpr std::size_t kMaxJsonDepth = 32;
// Largest input file accepted, in bytes.
constexpr std::size_t kMaxInputFileBytes = 16 * 1024 * 1024;

// Reads the whole of `path` into `text`. False, with `error` naming the path and the reason, when
// it does not exist, is not a regular file (a folder, a device), cannot be read or is larger than
// kMaxInputFileBytes; `text` is then unchanged.
bool read_input_file(const std::string& path, std::string& text, std::string& error);

// Parses `text` as JSON into `document`. False, with `error` saying what is wrong (where it is not
// JSON, nesting deeper than kMaxJsonDepth, a key given twice in one object, with the key), when it
// cannot be taken; `document` is then unchanged.
bool parse_json_strictly(const std::string& text, nlohmann::json& document, std::string& error);

}  // namespace host
