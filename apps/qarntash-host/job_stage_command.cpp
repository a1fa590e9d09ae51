// `qarntash-host job-stage --event E --client ID --period N [--data DIR]`: whether an event moves
// the client's job for a period (a tax year, or a period's end date as dd/mm/yyyy or yyyy-mm-dd) to a stage,
// and that stage as the job's record of stages reached holds it.
#include <cstdio>
#include <memory>
#include <string>

#include "commands.h"
#include "date_text.h"
#include "platform/practice/jobs.h"
#include "platform/table_classes.h"
#include "practice_option.h"
#include "qarntash/qarntash.h"

namespace host {

void add_job_stage_command(CLI::App& app) {
  struct Arguments {
    int event = 0;
    std::string client, period;
  };
  auto arguments = std::make_shared<Arguments>();
  auto data = std::make_shared<std::string>();
  CLI::App* command = app.add_subcommand("job-stage", "Show the job stage that an event moves a client's job to");
  command->add_option("--event", arguments->event, "The event type, for example 102 (records received)")->required();
  command->add_option("--client", arguments->client, "The client's visible ID, for example SMITHJ")->required();
  command->add_option("--period", arguments->period, "The tax year (2023) or the period's end date (30/04/2023)")
      ->required();
  add_data_option(command, data);
  command->callback([arguments, data]() {
    use_practice_folder(*data);
    const PMCO_INT_REF client = client_by_id(arguments->client);
    int period = 0;
    const bool is_date = arguments->period.find_first_of("/-") != std::string::npos;
    if (is_date) {
      period = static_cast<int>(parse_date(arguments->period));
    } else if (!CLI::detail::lexical_cast(arguments->period, period)) {
      period = 0;
    }
    if (period <= 0) {
      throw CLI::ValidationError("--period", "\"" + arguments->period + "\" is neither a tax year nor a date (dd/mm/yyyy)");
    }
    PM_DBASE<ZORV1446_REC> reached;
    if (GetJobStageFromEvent(arguments->event, reinterpret_cast<const char*>(&client), period,
                             reached.access_pointer()) == 0) {
      std::printf("Event %d moves no job stage of \"%s\" for %s.\n", arguments->event, arguments->client.c_str(),
                  arguments->period.c_str());
      return;
    }
    const ZORV1446_REC& stage = *reached.record();
    std::printf("Event %d: job %d of \"%s\" for %s, stage %d, reached %s%s.\n", arguments->event,
                stage.recurrence_number, arguments->client.c_str(), arguments->period.c_str(), stage.stage_number,
                date_or_none(stage.date_reached).c_str(), stage.done != 0 ? " (done)" : "");
  });
}

}  // namespace host
