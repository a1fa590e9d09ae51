// Money and date texts of the report printer, from their option strings (the options are listed
// in platform/report_printer.h).
#pragma once

#include <string>

#include "platform/types.h"

namespace platform::report_printer {

// The money value as its options show it; "" for a null value or the empty number.
std::string format_money(const mm_buffer* money, const char* options);
// The date as its options show it; "" for no date (0) or one outside the calendar.
std::string format_date(long day_number, const char* options);

}  // namespace platform::report_printer
