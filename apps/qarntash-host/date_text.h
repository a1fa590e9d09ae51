// Dates as a user of the host program writes them, read strictly: a day past its month's end is
// refused rather than taken as the month's last day, as the platform's date building would.
#pragma once

#include <string>

namespace host {

// The day number of day/month/year, or 0 when that is not a real date (31 April, 29 February 2021).
long exact_date(int day, int month, int year);

// Parses a date written as YYYY-MM-DD or DD/MM/YYYY into a day number; 0 when it is not a date.
long parse_date(const std::string& text);

// Tax year N as people write it: 2023 is "2022-23".
std::string tax_year_label(long tax_year);

}  // namespace host
