// `qarntash-host tax-year DATE`: the tax year of a date, with its first and last days.
#include <cstdio>
#include <memory>

#include "commands.h"
#include "qarntash/qarntash.h"

namespace host {

void add_tax_year_command(CLI::App& app) {
  auto date_text = std::make_shared<std::string>();
  CLI::App* command = app.add_subcommand("tax-year", "Show the UK tax year that a date falls in");
  command->add_option("date", *date_text, "The date, as YYYY-MM-DD or DD/MM/YYYY")->required();
  command->callback([date_text]() {
    const long date = parse_date(*date_text);
    if (date == 0) {
      throw CLI::ValidationError("date", "not a date: \"" + *date_text + "\" (give YYYY-MM-DD or DD/MM/YYYY, from 1900 to 9999)");
    }
    const long year = CDateToolKit::GetTaxYear(date);
    const long start = CDateToolKit::getTaxYrStart(year);
    const long end = CDateToolKit::getTaxYrEnd(year);
    // Dates run from 1 January 1900 to 31 December 9999, so the first and last tax years are cut
    // short; only whole years are shown.
    if (start == 0 || end == 0) {
      throw CLI::ValidationError("date", *date_text +
                                             " is outside the tax years this program can handle (6 April 1900 to 5 "
                                             "April 9999)");
    }
    char short_text[kJuldateTextSize];
    std::printf("Date:       %s (%s)\n", fpw_DATE_VALUE(date).string_value().c_str(),
                juldate_to_text(static_cast<int>(date), short_text, 1));
    std::printf("Tax year:   %ld (%ld-%02ld)\n", year, year - 1, year % 100);
    std::printf("Starts:     %s\n", fpw_DATE_VALUE(start).string_value().c_str());
    std::printf("Ends:       %s\n", fpw_DATE_VALUE(end).string_value().c_str());
  });
}

}  // namespace host
