// File: platform/lbw_string.h
//
// cLBW_STRING: the platform's string class, used beside std::string across the suite's
// interfaces. It owns its text (narrow characters: UTF-8 here, the ANSI code page on Windows),
// never holds a null pointer, and c_str() is always a valid terminated string.
//
// Usage:
//   cLBW_STRING id("AB/12:X");
//   id.find_and_replace("/", "_", true);     // "AB_12:X"
//   id += "-2021";
//   if (id.find("12") >= 0) ...
#pragma once

#include <string>

#include "platform/export.h"

class PLATFORM_API cLBW_STRING {
 public:
  cLBW_STRING() = default;
  cLBW_STRING(const char* text);  // NOLINT: built from text, as the suite's code expects; null is ""
  cLBW_STRING(const std::string& text);  // NOLINT
  cLBW_STRING(const cLBW_STRING&) = default;
  cLBW_STRING(cLBW_STRING&&) noexcept = default;
  cLBW_STRING& operator=(const cLBW_STRING&) = default;
  cLBW_STRING& operator=(cLBW_STRING&&) noexcept = default;
  cLBW_STRING& operator=(const char* text);  // null is ""
  ~cLBW_STRING() = default;

  const char* c_str() const { return text_.c_str(); }
  const std::string& str() const { return text_; }
  int length() const { return static_cast<int>(text_.size()); }
  bool empty() const { return text_.empty(); }
  void clear() { text_.clear(); }

  cLBW_STRING& operator+=(const cLBW_STRING& other);
  cLBW_STRING& operator+=(const char* text);  // null appends nothing
  cLBW_STRING& append(const char* text) { return *this += text; }

  // Position of the first `what` at or after `from`, or -1 when there is none (or `what` is null).
  int find(const char* what, int from = 0) const;

  // Replaces `from` by `to`: every occurrence when `all` is true, else the first. Replacements are
  // not searched again, so "a" -> "aa" ends. Returns how many were replaced (0 for an empty or
  // null `from`).
  int find_and_replace(const char* from, const char* to, bool all);

  friend bool operator==(const cLBW_STRING& a, const cLBW_STRING& b) { return a.text_ == b.text_; }
  friend bool operator!=(const cLBW_STRING& a, const cLBW_STRING& b) { return a.text_ != b.text_; }
  friend bool operator<(const cLBW_STRING& a, const cLBW_STRING& b) { return a.text_ < b.text_; }
  friend cLBW_STRING operator+(cLBW_STRING a, const cLBW_STRING& b) { return a += b; }

 private:
  std::string text_;
};
