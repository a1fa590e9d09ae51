// File: qarntash/tax_rules/reference_numbers.h
//
// The two personal references on UK tax records, and a small pattern validator that the calling
// programs use for their own fields.
//
// Unique Taxpayer Reference (UTR): ten digits. `FormatUTR::ValidDigitUTR` is the suite's long
// standing plausibility test: it only refuses a reference in which one digit from 1 to 9 appears
// exactly ten times ("1111111111"); it does not look at the length, the characters or any check
// digit. Stored records were accepted by it, so it stays exactly as it is.
//
// National Insurance number (NIN): two prefix letters, six digits and an optional suffix letter
// A, B, C, D, F or M. The first letter is never D, F, I, Q, U or V; the second never D, F, I, O,
// Q, U or V. Spaces may follow any of the first eight characters. `FormatNIN::FormatWithValidation`
// trims the spaces around the number, checks it (letters in either case) and returns it in the
// canonical layout "AB 12 34 56 C", or "" when it is not a NIN.
//
// Additions for host programs that want stricter checks, beside the two above (which are kept
// as they are, since stored data and callers rely on them):
//   - `FormatUTR::ValidCheckDigitUTR`: the UTR's own check digit (see below);
//   - `FormatNIN::IsIssuableNIN`: a NIN that is valid and whose prefix is one that can be issued.
//
// `CRegExValidator` keeps one pattern and tests whole texts against it with the ECMAScript
// grammar. Compiled expressions are kept in a process-wide cache (safe to use from any thread), so
// a pattern is compiled once per case option rather than on every call. A malformed pattern throws
// std::regex_error from `Validate` on every call; nothing else here throws.
//
// Usage:
//   FormatNIN().FormatWithValidation("  ab123456c  ");   // "AB 12 34 56 C"
//   FormatNIN().FormatWithValidation("AB 12 34 56 E");   // "" (E is not a suffix letter)
//   FormatNIN::IsIssuableNIN("GB 12 34 56 A");           // false: GB is never issued
//   FormatUTR::ValidDigitUTR("1111111111");              // 0
//   FormatUTR::ValidCheckDigitUTR("2325648152");         // 1
//   CRegExValidator(CRegExValidator::REGISTRATIONNUMBER_EXPRESSION).Validate("ab12", false);  // true
#pragma once

#include <string>

#include "qarntash/export.h"

class QARNTASH_API FormatUTR {
 public:
  // 1 when no digit from 1 to 9 occurs exactly ten times in `utr`, else 0. Zeros are not counted
  // and nothing else is examined: "" and "0000000000" give 1, "1111111111" gives 0, eleven ones
  // give 1. `utr` must be a terminated string; a null pointer gives 0.
  static int ValidDigitUTR(const char* utr);

  // Addition: 1 when `utr` is ten digits d1..d10 whose first digit is the check digit of the
  // other nine, else 0:
  //   d1 == "21987654321"[(6*d2 + 7*d3 + 8*d4 + 9*d5 + 10*d6 + 5*d7 + 4*d8 + 3*d9 + 2*d10) % 11]
  // Single or repeated spaces may stand between the digits, and a capital "K" may follow the
  // last digit directly (as HMRC prints it on some letters); nothing else is accepted, not even
  // spaces before the first digit or after the end. "2325648152" and "23256 48152K" give 1,
  // "1234567890" gives 0. A null pointer gives 0.
  static int ValidCheckDigitUTR(const char* utr);
};

class QARNTASH_API FormatNIN {
 public:
  // The NIN in canonical layout, or "" when `nin` is not a NIN. Spaces (only the space
  // character) around the number are ignored; letters may be in either case; a tab or any other
  // character than a space between the characters makes it invalid.
  //   "  ab123456c  " -> "AB 12 34 56 C"      "AB123456" -> "AB 12 34 56"
  std::string FormatWithValidation(const std::string& nin) const;

  // Addition: true when `nin` is accepted by FormatWithValidation and its prefix is not one of
  // those that are never issued: BG, GB, KN, NK, NT, TN and ZZ (ZZ marks a temporary number).
  static bool IsIssuableNIN(const std::string& nin);

 protected:
  // The canonical layout of a NIN that has already been checked: white space dropped, letters in
  // capitals, the characters in pairs separated by single spaces, a ninth character on its own.
  std::string Format(const std::string& nin) const;
};

class QARNTASH_API CRegExValidator {
 public:
  // A NIN as FormatNIN accepts it (test it case-insensitively to allow small letters).
  static const std::string NIN_RE;
  // Two to eight capital letters or digits, no spaces: a vehicle registration number.
  static const std::string REGISTRATIONNUMBER_EXPRESSION;

  CRegExValidator(const std::string& pattern);
  CRegExValidator(const CRegExValidator& other);
  CRegExValidator(CRegExValidator&& other) noexcept;
  CRegExValidator& operator=(const CRegExValidator& other);
  CRegExValidator& operator=(CRegExValidator&& other) noexcept;
  ~CRegExValidator();

  // True when the whole of `text` matches the pattern (ECMAScript grammar); letters match in
  // either case when caseSensitive is false. Throws std::regex_error when the pattern is
  // malformed, on every call.
  bool Validate(const std::string& text, bool caseSensitive) const;

 private:
  std::string m_Pattern;
};
