#include "platform/lbw_string.h"

#include <cstring>

cLBW_STRING::cLBW_STRING(const char* text) : text_(text != nullptr ? text : "") {}

cLBW_STRING::cLBW_STRING(const std::string& text) : text_(text) {}

cLBW_STRING& cLBW_STRING::operator=(const char* text) {
  text_ = text != nullptr ? text : "";
  return *this;
}

cLBW_STRING& cLBW_STRING::operator+=(const cLBW_STRING& other) {
  text_ += other.text_;
  return *this;
}

cLBW_STRING& cLBW_STRING::operator+=(const char* text) {
  if (text != nullptr) text_ += text;
  return *this;
}

int cLBW_STRING::find(const char* what, int from) const {
  if (what == nullptr || from < 0) return -1;
  const std::string::size_type at = text_.find(what, static_cast<std::string::size_type>(from));
  return at == std::string::npos ? -1 : static_cast<int>(at);
}

int cLBW_STRING::find_and_replace(const char* from, const char* to, bool all) {
  if (from == nullptr || *from == '\0') return 0;
  const std::string::size_type from_length = std::strlen(from);
  const std::string replacement = to != nullptr ? to : "";
  int replaced = 0;
  std::string::size_type at = 0;
  while ((at = text_.find(from, at)) != std::string::npos) {
    text_.replace(at, from_length, replacement);
    at += replacement.size();
    ++replaced;
    if (!all) break;
  }
  return replaced;
}
