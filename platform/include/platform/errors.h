// File: platform/errors.h
//
// The platform's report channel: where program errors (_exgen_error) and the record store's
// reports go. By default each report is one line on standard error; a test holds a
// ReportCapture to collect the lines instead.
//
// Usage in a test:
//   platform::ReportCapture reports;
//   ... code that may report ...
//   EXPECT_EQ(reports.lines().size(), 1u);
#pragma once

#include <string>
#include <vector>

#include "platform/export.h"

extern "C" {
// Reports a program error: one line "error <level> in <source file> line <line>: <message>".
// `flag` is the caller's report flag and is shown as " [flag <flag>]" when not 0. Null texts are
// shown as "". Always returns 0.
PLATFORM_API int _exgen_error(int level, const char* message, int flag, const char* source_file,
                              int line);
}

namespace platform {

// Sends one line to the report channel.
PLATFORM_API void report_line(const std::string& line);

// While alive, collects every report line instead of writing it to standard error. Captures
// nest: the newest one collects, and the one before it takes over again when it ends.
class PLATFORM_API ReportCapture {
 public:
  ReportCapture();
  ~ReportCapture();
  ReportCapture(const ReportCapture&) = delete;
  ReportCapture& operator=(const ReportCapture&) = delete;

  const std::vector<std::string>& lines() const { return lines_; }
  void clear() { lines_.clear(); }
  // True when some line contains `text`.
  bool contains(const std::string& text) const;
  // Called by the channel for each line while this capture is the newest.
  void add(const std::string& line) { lines_.push_back(line); }

 private:
  std::vector<std::string> lines_;
  ReportCapture* previous_;
};

}  // namespace platform
