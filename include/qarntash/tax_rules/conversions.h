// File: qarntash/tax_rules/conversions.h
//
// Numbers between text fields and doubles, with a blank field kept blank.
//
// A field left blank must survive the round trip as blank, not as 0, so one double, the largest
// finite one (1.7976931348623157e308, Converter::DblEmptyVal()), stands for "empty". The
// conversions turn it into a caller-chosen empty text and that text back into it.
//
// Numbers are read and written as the standard streams do in the classic "C" locale, whatever
// locale the host has set: a point for the decimals, no grouping. Writing uses the streams'
// default format, six significant digits in general notation: 123.456789 -> "123.457",
// 1500000 -> "1.5e+06", 2.5 -> "2.5".
//
// Failure is a false result (and the empty value where a double is written); nothing here
// throws except when memory runs out.
//
// Usage:
//   double value;
//   Converter::StringToDouble(" 12.5kg", &value, "");          // true, 12.5
//   Converter::StringToDouble("", &value, "");                 // true, DblEmptyVal()
//   char text[16];
//   Converter::DoubleToString(&value, sizeof text, text, "");   // true, ""
//   tokenize(",a,,b,", ",");                                    // {"a", "b"}
#pragma once

#include <string>
#include <vector>

#include "qarntash/export.h"

class QARNTASH_API Converter {
 public:
  // The value that stands for an empty field: the largest finite double.
  static double DblEmptyVal();

  // Reads a number from `text`. When text is exactly emptyText, stores the empty value and
  // returns true. Otherwise reads as `stream >> double` does: leading white space skipped, the
  // number ends at the first character that cannot continue it, the rest is ignored
  // (" 12.5kg" gives 12.5). When no number can be read (letters only, a number too large for a
  // double) stores the empty value and returns false. A null text stores the empty value and
  // returns false; a null value returns false.
  static bool StringToDouble(const char* text, double* value, std::string emptyText);

  // Writes *value into `buffer`, which holds `size` characters with the terminator: emptyText
  // for the empty value, else the number in the default format. Returns true when the whole text
  // fits. A text that does not fit is cut to size - 1 characters and terminated, and the result
  // is false, since a cut number ("1.5e+06" cut to "1.5") is not the value. A size of 0 or a null
  // buffer writes nothing and returns false; so does a null value.
  static bool DoubleToString(const double* value, unsigned int size, char* buffer, std::string emptyText);

  // As DoubleToString, for a CO2 emission figure: a value above 10,000,000 (by ttdoubcmp) is no
  // real figure, so the caller's *value is first set to the empty value and emptyText is written.
  static bool CO2EmissionToString(double* value, unsigned int size, char* buffer, std::string emptyText);

  // Reads an int as `stream >> int` does; a text that does not start with a number gives 0, and
  // a number beyond the range of int gives the nearest limit.
  static int StringToInt(std::string text);

 private:
  Converter() = default;
  ~Converter() = default;
};

// The tokens of `text` between runs of any of the `delimiters` characters, in order. Runs of
// delimiters give no empty tokens, leading and trailing ones are ignored; an empty text gives no
// tokens, and no delimiters give the whole text as one token.
QARNTASH_API std::vector<std::string> tokenize(const std::string& text, const std::string& delimiters);

extern "C" {
// Copies `source` into `destination` leaving out every space and hyphen ("AB 12-34" becomes
// "AB1234"), terminates it and returns it. `destination` must hold at least strlen(source) + 1
// characters; it may be `source` itself. The second argument is not used. A null source gives
// an empty destination; a null destination is returned as it is, with nothing written.
QARNTASH_API char* StripSpaces(char* destination, int unused, const char* source);
}
