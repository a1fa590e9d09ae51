// Figures of UITF 40 adjustments for the tests of the business objects and of their screens.
#pragma once

#include <string>
#include <vector>

#include "platform/uitf40_adjustment.h"

namespace test_support {

namespace uitf40 = Velmar::BusinessRules::Taxation::BusinessTax;

// A trade's adjustment of `total` with one period per tax year, labelled "2006-07" and so on.
inline uitf40::UITF40AdjustmentData trade_figures(double total, long first_tax_year, int periods,
                                                  double profit = 1e6) {
  uitf40::UITF40AdjustmentData figures;
  figures.totalAdjustment = total;
  figures.profitForThePeriod = profit;
  for (int i = 0; i < periods; ++i) {
    const long year = first_tax_year + i;
    uitf40::UITF40PeriodData period;
    period.label = std::to_string(year - 1) + "-" + std::to_string(year % 100 + 100).substr(1);
    period.taxYear = year;
    figures.periods.push_back(period);
  }
  return figures;
}

// A company's adjustment of `total` over account periods, period i ending in 2006 + i. Period
// `split` (1-based, 0 for none) has one CTAP per entry of `ctap_days`, each chargeable.
inline uitf40::UITF40AdjustmentData company_figures(double total, int periods, int split = 0,
                                                    std::vector<long> ctap_days = {}) {
  uitf40::UITF40AdjustmentData figures = trade_figures(total, 2007, periods);
  for (int i = 0; i < periods; ++i) {
    auto& period = figures.periods[static_cast<std::size_t>(i)];
    period.label = "Year to 31/12/" + std::to_string(2006 + i);
    if (i + 1 != split) continue;
    for (std::size_t c = 0; c < ctap_days.size(); ++c) {
      uitf40::UITF40CTAPData ctap;
      ctap.label = "CTAP " + std::to_string(c + 1);
      ctap.taxYear = period.taxYear;
      ctap.days = ctap_days[c];
      period.ctaps.push_back(ctap);
    }
  }
  return figures;
}

}  // namespace test_support
