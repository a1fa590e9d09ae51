// `qarntash-host usage [--year N] [--data DIR]`: how many clients the practice used each package
// for in a year, with the progress line while the practice is walked.
#include <cstdio>
#include <memory>

#include "commands.h"
#include "practice_option.h"
#include "progress_window.h"
#include "qarntash/qarntash.h"

namespace host {

void add_usage_command(CLI::App& app) {
  auto year = std::make_shared<int>(0);
  auto data = std::make_shared<std::string>();
  CLI::App* command = app.add_subcommand("usage", "Count the clients of each package in a year");
  command->add_option("--year", *year, "The year (default: the one in which the current 1 April to 31 March began)")
      ->check(CLI::Range(1901, 2099));
  add_data_option(command, data);
  command->callback([year, data]() {
    use_practice_folder(*data);
    struct Count {
      const char* package;
      int (*for_year)(int);
      int (*for_default_year)();
    };
    const Count counts[] = {
        {"Personal tax", GetPersonalTaxPackageUsageForYear, GetPersonalTaxPackageUsage},
        {"Trust tax", GetTrustTaxPackageUsageForYear, GetTrustTaxPackageUsage},
        {"Non-resident", GetNonResidentPackageUsageForYear, GetNonResidentPackageUsage},
    };
    int results[3] = {};
    {
      const ProgressWindow progress("Package usage", "Counting");
      for (int i = 0; i < 3; ++i) {
        Update_Progress_Bar_prog010(100 * i / 3, (std::string("Counting ") + counts[i].package + " clients").c_str());
        results[i] = *year > 0 ? counts[i].for_year(*year) : counts[i].for_default_year();
      }
      Update_Progress_Bar_prog010(100, "Counted");
    }
    if (*year > 0) {
      std::printf("Package usage in %d:\n", *year);
    } else {
      std::printf("Package usage this year:\n");
    }
    for (int i = 0; i < 3; ++i) std::printf("  %-13s %d\n", counts[i].package, results[i]);
  });
}

}  // namespace host
