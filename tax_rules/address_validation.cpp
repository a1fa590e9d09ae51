// Compaction of the four address lines: the lines with text move up, the empty ones go last.
#include "qarntash/tax_rules/address_validation.h"

#include <cstddef>

CAddressValidationHelper::CAddressValidationHelper(std::string& line1, std::string& line2, std::string& line3,
                                                   std::string& line4) {
  Validate(line1, line2, line3, line4);
}

CAddressValidationHelper::CAddressValidationHelper(const CAddressValidationHelper& other) = default;
CAddressValidationHelper& CAddressValidationHelper::operator=(const CAddressValidationHelper& other) = default;
CAddressValidationHelper::~CAddressValidationHelper() = default;

std::string CAddressValidationHelper::GetAddressLine1() { return m_AddressLine1; }
std::string CAddressValidationHelper::GetAddressLine2() { return m_AddressLine2; }
std::string CAddressValidationHelper::GetAddressLine3() { return m_AddressLine3; }
std::string CAddressValidationHelper::GetAddressLine4() { return m_AddressLine4; }

void CAddressValidationHelper::Validate(std::string& line1, std::string& line2, std::string& line3,
                                        std::string& line4) {
  const std::string* const given[] = {&line1, &line2, &line3, &line4};
  std::string* const stored[] = {&m_AddressLine1, &m_AddressLine2, &m_AddressLine3, &m_AddressLine4};
  std::size_t next = 0;
  for (const std::string* line : given) {
    if (!line->empty()) *stored[next++] = *line;
  }
}
