// The host program's subcommands. Each adds itself to the command line and runs when chosen.
#pragma once

#include <CLI/CLI.hpp>

namespace host {

// Parses a date written as YYYY-MM-DD or DD/MM/YYYY into a day number; 0 when it is not a date.
long parse_date(const std::string& text);

void add_tax_year_command(CLI::App& app);
void add_nin_command(CLI::App& app);
void add_utr_command(CLI::App& app);
void add_validation_report_command(CLI::App& app);
void add_car_benefit_command(CLI::App& app);

}  // namespace host
