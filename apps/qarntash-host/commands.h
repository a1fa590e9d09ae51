// The host program's subcommands. Each adds itself to the command line and runs when chosen.
#pragma once

#include <CLI/CLI.hpp>

#include "date_text.h"

namespace host {

void add_tax_year_command(CLI::App& app);
void add_nin_command(CLI::App& app);
void add_utr_command(CLI::App& app);
void add_validation_report_command(CLI::App& app);
void add_car_benefit_command(CLI::App& app);
void add_demo_practice_command(CLI::App& app);
void add_uitf40_command(CLI::App& app);
void add_hmrc_options_command(CLI::App& app);
void add_barcode_command(CLI::App& app);
void add_client_command(CLI::App& app);
void add_dates_command(CLI::App& app);
void add_address_command(CLI::App& app);
void add_related_command(CLI::App& app);
void add_client_status_command(CLI::App& app);
void add_usage_command(CLI::App& app);
void add_job_stage_command(CLI::App& app);
void add_options_command(CLI::App& app);
void add_report_settings_command(CLI::App& app);
void add_copy_practice_command(CLI::App& app);

}  // namespace host
