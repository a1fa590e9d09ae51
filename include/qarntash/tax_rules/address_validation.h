// File: qarntash/tax_rules/address_validation.h
//
// An address as four free lines, compacted: users often leave a line empty in the middle, so the
// lines that hold text move up, keeping their order, and the empty lines collect at the end.
// A line is empty only when it has no characters at all; a line of spaces is kept and moves up
// like any other. Nothing else about the address is examined or changed.
//
// Usage:
//   std::string l1, l2 = "1 High Street", l3, l4 = "Leeds";
//   CAddressValidationHelper address(l1, l2, l3, l4);
//   address.GetAddressLine1();   // "1 High Street"
//   address.GetAddressLine2();   // "Leeds"
//   address.GetAddressLine3();   // ""
#pragma once

#include <string>

#include "qarntash/export.h"

class QARNTASH_API CAddressValidationHelper {
 public:
  // Compacts the four lines; the arguments are only read.
  CAddressValidationHelper(std::string& line1, std::string& line2, std::string& line3, std::string& line4);
  CAddressValidationHelper(const CAddressValidationHelper& other);
  CAddressValidationHelper& operator=(const CAddressValidationHelper& other);
  ~CAddressValidationHelper();

  std::string GetAddressLine1();
  std::string GetAddressLine2();
  std::string GetAddressLine3();
  std::string GetAddressLine4();

 private:
  void Validate(std::string& line1, std::string& line2, std::string& line3, std::string& line4);

  std::string m_AddressLine1;
  std::string m_AddressLine2;
  std::string m_AddressLine3;
  std::string m_AddressLine4;
};
