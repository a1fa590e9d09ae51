#include "platform/errors.h"

#include <cstdio>
#include <mutex>

namespace {

std::mutex channel_mutex;
platform::ReportCapture* newest_capture = nullptr;

const char* or_empty(const char* text) { return text != nullptr ? text : ""; }

}  // namespace

namespace platform {

void report_line(const std::string& line) {
  std::lock_guard<std::mutex> lock(channel_mutex);
  if (newest_capture != nullptr) {
    newest_capture->add(line);
  } else {
    std::fprintf(stderr, "%s\n", line.c_str());
  }
}

ReportCapture::ReportCapture() {
  std::lock_guard<std::mutex> lock(channel_mutex);
  previous_ = newest_capture;
  newest_capture = this;
}

ReportCapture::~ReportCapture() {
  std::lock_guard<std::mutex> lock(channel_mutex);
  newest_capture = previous_;
}

bool ReportCapture::contains(const std::string& text) const {
  for (const std::string& line : lines_) {
    if (line.find(text) != std::string::npos) return true;
  }
  return false;
}

}  // namespace platform

extern "C" int _exgen_error(int level, const char* message, int flag, const char* source_file, int line) {
  std::string text = "error " + std::to_string(level) + " in " + or_empty(source_file) + " line " +
                     std::to_string(line) + ": " + or_empty(message);
  if (flag != 0) text += " [flag " + std::to_string(flag) + "]";
  platform::report_line(text);
  return 0;
}
