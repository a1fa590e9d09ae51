// Conversions between text fields and numbers, with one double reserved for an empty field.
#include "qarntash/tax_rules/conversions.h"

#include <cstring>
#include <limits>
#include <locale>
#include <sstream>
#include <utility>

#include "platform/rounding.h"

namespace {

// Above this a CO2 figure (grams per kilometre) is taken as no figure at all.
constexpr double kLargestCo2Emission = 10000000.0;

// Streams in the classic locale: a host that sets a global locale with a decimal comma or digit
// grouping must not change what is read from or written to stored fields.
std::istringstream classic_input(const std::string& text) {
  std::istringstream stream(text);
  stream.imbue(std::locale::classic());
  return stream;
}

// Copies as much of `text` as fits, with the terminator. False when it did not all fit or when
// there is no room at all (size 0 or no buffer: nothing is written).
bool copy_bounded(const std::string& text, unsigned int size, char* buffer) {
  if (buffer == nullptr || size == 0) return false;
  const std::size_t room = size - 1;
  const std::size_t length = text.size() < room ? text.size() : room;
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
  return length == text.size();
}

}  // namespace

double Converter::DblEmptyVal() { return std::numeric_limits<double>::max(); }

bool Converter::StringToDouble(const char* text, double* value, std::string emptyText) {
  if (value == nullptr) return false;
  if (text == nullptr) {
    *value = DblEmptyVal();
    return false;
  }
  if (emptyText == text) {
    *value = DblEmptyVal();
    return true;
  }
  std::istringstream stream = classic_input(text);
  double number = 0.0;
  if (!(stream >> number)) {
    *value = DblEmptyVal();
    return false;
  }
  *value = number;
  return true;
}

bool Converter::DoubleToString(const double* value, unsigned int size, char* buffer, std::string emptyText) {
  if (value == nullptr || buffer == nullptr || size == 0) return false;
  if (*value == DblEmptyVal()) return copy_bounded(emptyText, size, buffer);
  std::ostringstream stream;
  stream.imbue(std::locale::classic());
  if (!(stream << *value)) {
    copy_bounded(emptyText, size, buffer);
    return false;
  }
  return copy_bounded(stream.str(), size, buffer);
}

bool Converter::CO2EmissionToString(double* value, unsigned int size, char* buffer, std::string emptyText) {
  if (value == nullptr) return false;
  if (ttdoubcmp(*value, kLargestCo2Emission) > 0) *value = DblEmptyVal();
  return DoubleToString(value, size, buffer, std::move(emptyText));
}

int Converter::StringToInt(std::string text) {
  std::istringstream stream = classic_input(text);
  int number = 0;
  stream >> number;
  return number;
}

std::vector<std::string> tokenize(const std::string& text, const std::string& delimiters) {
  std::vector<std::string> tokens;
  std::size_t start = text.find_first_not_of(delimiters);
  while (start != std::string::npos) {
    const std::size_t end = text.find_first_of(delimiters, start);
    tokens.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = text.find_first_not_of(delimiters, end);
  }
  return tokens;
}

extern "C" char* StripSpaces(char* destination, int /*unused*/, const char* source) {
  if (destination == nullptr) return nullptr;
  char* out = destination;
  if (source != nullptr) {
    // Reading runs ahead of writing, so the copy may be made in place.
    for (const char* in = source; *in != '\0'; ++in) {
      if (*in != ' ' && *in != '-') *out++ = *in;
    }
  }
  *out = '\0';
  return destination;
}
