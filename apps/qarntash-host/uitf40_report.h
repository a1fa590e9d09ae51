// The adjusted instalments of a UITF 40 adjustment, printed as a report after the screen's OK:
//
//   UITF 40 adjustment, 2007-08
//   Company
//   Total adjustment                                          £120,000.00
//
//   Accounting period              Default   Amount taxed         Excess
//   Year to 31/03/2006          £20,000.00     £20,000.00
//   ...
//   Total tax paid over 6 periods                 £120,000.00
//   Amount untaxed at the end of this period       £80,000.00
#pragma once

#include <string>

#include "platform/uitf40_adjustment.h"

namespace host {

// Prints the adjustment as a report of its own, "UITF 40 Adjustment"; `whose` names the business
// ("Company"). The untaxed amount is the one at the end of the period of `tax_year`. False when
// the printer produced no report.
bool print_uitf40_report(const std::string& whose, long tax_year,
                         Velmar::BusinessRules::Taxation::BusinessTax::CUITF40Adjustment& adjustment);

}  // namespace host
