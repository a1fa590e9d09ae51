// The employment page of one company car: how the car benefit and the car fuel benefit were
// worked out, printed through the report printer in a description column and a money column.
//
//   Company car and fuel benefit, tax year 2022-23
//   Period 06/04/22 to 05/04/23
//
//   List price                                                          £30,000.00
//   ...
//   Car benefit                                                          £7,800.00
#pragma once

#include <string>
#include <vector>

#include "qarntash/tax_rules/car_benefit_records.h"
#include "qarntash/tax_rules/car_benefit_working.h"

namespace host {

// One car's figures for the page: the car as Calc left it, the sums it filled, the limits it
// used and its working, which the page prints line for line.
struct CarBenefitPage {
  long tax_year = 0;
  long period_start = 0;  // day numbers
  long period_end = 0;
  TLD_ISYI_CAR car{};
  TLD_0501_CAR_LIMITS limits{};
  CAR_SUMS sums{};
  double benefit = 0;  // Calc's result: CarBenefits::kNotComputed when a figure overflowed
  CarBenefitWorking working;
};

// The lines above the working: the title, the period and, when the car was not there all
// period, the days it was available.
std::vector<std::string> page_heading(const CarBenefitPage& page);

// The largest amount the page's money column holds, brackets and all: £99,999,999,999.99.
constexpr double kLargestPageAmount = 99999999999.99;

// False, with the reason, when the car's benefit could not be worked out or a figure of its
// working is too large for the page.
bool page_can_show(const CarBenefitPage& page, std::string& error);

// Works the benefit out for the period (CarBenefits::CalcWithWorking) and fills the page.
CarBenefitPage work_out_car_benefit(const TLD_ISYI_CAR& car, const TLD_0501_CAR_LIMITS& limits, int co2_band_count,
                                    int electric_band_count, long tax_year, long period_start, long period_end);

// Prints the page as a report of its own, "Company Car Benefit". False when the printer
// produced no report.
bool print_car_benefit_report(const CarBenefitPage& page);

}  // namespace host
