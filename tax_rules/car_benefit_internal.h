// Small helpers that the two paths of the car benefit calculation share (internal).
#pragma once

#include <string>

namespace car_benefit_internal {

// A two-byte flag: "Y" is yes; "N", blank or anything else is no.
bool is_yes(const char (&flag)[2]);

// The suite's rounding (half away from zero): pence, and whole pounds.
double round_pence(double amount);
double round_pounds(double amount);

// An amount as a description quotes it: "£25,300.00", "-£1,250.50", commas every three digits
// however many there are. An infinity or NaN is named ("£inf", "£nan"), never read past.
std::string money_text(double amount);

// 365, plus 1 in a tax year whose number is divisible by 4.
double days_in_tax_year(long taxYear);

}  // namespace car_benefit_internal

using car_benefit_internal::money_text;
