// qarntash-host: a host program over the qarntash library, as the suite's programs use it.
#include <cstdio>
#include <exception>

#include "commands.h"
#include "terminal_user.h"

int main(int argc, char** argv) {
  CLI::App app{"qarntash-host: UK tax rules, practice records and reports from the qarntash library"};
  app.require_subcommand(1);
  host::TerminalUser user;   // screens and boxes on this terminal, progress on standard error
  host::add_tax_year_command(app);
  host::add_nin_command(app);
  host::add_utr_command(app);
  host::add_validation_report_command(app);
  host::add_car_benefit_command(app);
  host::add_uitf40_command(app);
  host::add_hmrc_options_command(app);
  host::add_demo_practice_command(app);
  host::add_barcode_command(app);
  host::add_client_command(app);
  host::add_dates_command(app);
  host::add_address_command(app);
  host::add_related_command(app);
  host::add_client_status_command(app);
  host::add_usage_command(app);
  host::add_job_stage_command(app);
  host::add_options_command(app);
  host::add_report_settings_command(app);
  host::add_copy_practice_command(app);
  // Anything the commands did not expect (memory exhausted, a file system fault) ends the
  // program with one line rather than an abort.
  try {
    CLI11_PARSE(app, argc, argv);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "qarntash-host: %s\n", failure.what());
    return 1;
  }
  return 0;
}
