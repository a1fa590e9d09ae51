// qarntash-host: a host program over the qarntash library, as the suite's programs use it.
#include <cstdio>
#include <string>

#include "commands.h"
#include "platform/platform.h"
#include "qarntash/qarntash.h"

namespace host {

long parse_date(const std::string& text) {
  int day = 0;
  int month = 0;
  int year = 0;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &year, &month, &day, &tail) == 3 ||
      std::sscanf(text.c_str(), "%2d/%2d/%4d%c", &day, &month, &year, &tail) == 3) {
    const long date = fp_builddate(day, month, year);
    DateParts parts{};
    fp_inttodate(date, &parts);
    // A day past the month's end would be taken as its last day: refuse it here instead.
    if (date != 0 && parts.day == day) return date;
  }
  return 0;
}

}  // namespace host

int main(int argc, char** argv) {
  CLI::App app{"qarntash-host: UK tax rules, practice records and reports from the qarntash library"};
  app.require_subcommand(1);
  host::add_tax_year_command(app);
  host::add_nin_command(app);
  host::add_utr_command(app);
  host::add_validation_report_command(app);
  host::add_car_benefit_command(app);
  CLI11_PARSE(app, argc, argv);
  return 0;
}
