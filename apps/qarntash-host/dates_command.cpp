// `qarntash-host dates --client ID [--period-end DATE | --period-id N] [--data DIR]`: a client's
// trade dates and date of incorporation and, for a period, where it starts and by which rule.
#include <cstdio>
#include <memory>
#include <string>

#include "commands.h"
#include "practice_option.h"
#include "qarntash/qarntash.h"

namespace host {

namespace {

// Which of CDatesDataAccess::GetPeriodStart's rules gave `start`.
const char* period_start_rule(long start, int found, long incorporated, long trade_began) {
  if (start == 0) return "none: the year before the period end is not in the calendar";
  if (found == 0) return "one year before the period end (no earlier period, incorporation or trade start)";
  if (start == incorporated) return "the date of incorporation (no earlier period)";
  if (start == trade_began) return "the date the trade began (no earlier period)";
  return "the day after the previous period ended";
}

}  // namespace

void add_dates_command(CLI::App& app) {
  struct Arguments {
    std::string client, period_end;
    long period_id = 0;
  };
  auto arguments = std::make_shared<Arguments>();
  auto data = std::make_shared<std::string>();
  CLI::App* command = app.add_subcommand("dates", "Show a client's trade dates, incorporation and a period's start");
  command->add_option("--client", arguments->client, "The client's visible ID")->required();
  CLI::Option* end = command->add_option("--period-end", arguments->period_end, "A period end, YYYY-MM-DD or DD/MM/YYYY");
  command->add_option("--period-id", arguments->period_id, "A period's identifier")->excludes(end);
  add_data_option(command, data);
  command->callback([arguments, data, command]() {
    use_practice_folder(*data);
    const PMCO_INT_REF client = client_by_id(arguments->client);
    bool began_found = false, ended_found = false, incorporated_found = false;
    const long began = CDatesDataAccess::GetDateTradeBegun(client, &began_found);
    const long ended = CDatesDataAccess::GetDateTradeEnded(client, &ended_found);
    const long incorporated = CDatesDataAccess::GetDateOfIncorporation(client, &incorporated_found);
    std::printf("Client:        \"%s\" (%d:%d)\n", arguments->client.c_str(), client.type, client.number);
    std::printf("Trade began:   %s\n", date_or_none(began).c_str());
    std::printf("Trade ended:   %s\n", date_or_none(ended).c_str());
    std::printf("Incorporated:  %s\n", date_or_none(incorporated).c_str());

    long period_end = 0;
    const bool by_id = command->count("--period-id") > 0;
    if (by_id) {
      period_end = CDatesDataAccess::GetPeriodEndDate(arguments->period_id);
      if (period_end == 0) {
        std::fprintf(stderr, "No period with identifier %ld in the practice\n", arguments->period_id);
        throw CLI::RuntimeError(1);
      }
    } else if (!arguments->period_end.empty()) {
      period_end = parse_date(arguments->period_end);
      if (period_end == 0) throw CLI::ValidationError("--period-end", "not a date: " + arguments->period_end);
    } else {
      return;
    }
    int found = 0;
    const long start = CDatesDataAccess::GetPeriodStart(client, period_end, &found);
    std::printf("Period end:    %s\n", date_or_none(period_end).c_str());
    std::printf("Period start:  %s, by %s\n", date_or_none(start).c_str(),
                period_start_rule(start, found, incorporated, began));
    if (by_id) {
      const bool first = CDatesDataAccess::GetIsFirstTradingPeriod(client, arguments->period_id);
      std::printf("First period of the trade: %s\n", first ? "yes" : "no");
    }
  });
}

}  // namespace host
