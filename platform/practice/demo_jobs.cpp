// The demo practice's job types, their stages, and the jobs in progress for its clients.
#include "demo_practice_parts.h"

namespace platform::demo {

namespace {

constexpr std::int32_t kTaxReturnJob = 1;
constexpr std::int32_t kAccountsJob = 2;

int write_job_types(const std::string& folder) {
  struct JobType {
    const char* code;
    std::int32_t job_id;
    const char* description;
  };
  const JobType types[] = {{"SATR", kTaxReturnJob, "Self assessment tax return"},
                           {"ACCS", kAccountsJob, "Annual accounts"}};
  RowWriter<ZORV1411_REC> table(folder);
  return insert_each(table, types, [](RowWriter<ZORV1411_REC>& writer, const JobType& type) {
    ZORV1411_REC row{};
    put_text(row.code, type.code);
    row.job_id = type.job_id;
    row.job_type = type.job_id;
    // The period kind (low byte): a tax return per tax year, accounts per accounting period.
    row.flags = type.job_id == kTaxReturnJob ? 1 : 2;
    put_text(row.description, type.description);
    return writer.insert(row);
  });
}

// Stages of each job; the trust bit (1 << 5) skips the records stage for trusts.
int write_stages(const std::string& folder) {
  struct Stage {
    std::int32_t job_id;
    std::int32_t stage_number;
    std::int32_t event_type;
    const char* description;
    std::int32_t due_days;
    std::int32_t exclusions;
  };
  const Stage stages[] = {
      {kTaxReturnJob, 1, 101, "Records requested", 0, 1 << 5},
      {kTaxReturnJob, 2, 102, "Records received", 30, 0},
      {kTaxReturnJob, 3, 103, "Return sent for signature", 60, 0},
      {kTaxReturnJob, 4, 104, "Return filed", 90, 0},
      {kAccountsJob, 1, 201, "Year-end records received", 0, 0},
      {kAccountsJob, 2, 202, "Accounts approved", 120, 0},
  };
  RowWriter<ZORV1431_REC> table(folder);
  return insert_each(table, stages, [](RowWriter<ZORV1431_REC>& writer, const Stage& stage) {
    ZORV1431_REC row{};
    row.job_id = stage.job_id;
    row.stage_number = stage.stage_number;
    row.event_type = stage.event_type;
    ZORV1431_TLD details{};
    put_text(details.description, stage.description);
    details.due_days = stage.due_days;
    details.client_type_exclusions = stage.exclusions;
    return writer.insert(row, details);
  });
}

// The 2023 tax return of each individual and trust client, and the accounts of each business,
// with the stages each has reached.
int write_recurrences(const std::string& folder) {
  RowWriter<ZORV1445_REC> recurrences(folder);
  RowWriter<ZORV1446_REC> reached(folder);
  std::int32_t next_number = 1;
  for (const DemoClient* client = demo_practice_clients(); client->client_id != nullptr; ++client) {
    if (client->client_type == 75) continue;
    ZORV1445_REC row{};
    row.recurrence_number = next_number++;
    row.client_type = client->client_type;
    row.client_number = client->client_number;
    row.job_id = client->client_type == 2 ? kAccountsJob : kTaxReturnJob;
    row.date = client->client_type == 2 ? day(30, 4, 2023) : day(5, 4, 2023);
    row.date_created = day(6, 4, 2023);
    row.current_stage = 1 + client->client_number % 3;
    if (const int status = recurrences.insert(row); status != 0) return status;
    for (std::int32_t stage = 1; stage <= row.current_stage; ++stage) {
      ZORV1446_REC step{};
      step.recurrence_number = row.recurrence_number;
      step.stage_number = stage;
      step.date_reached = day(1, 5, 2023) + 14 * (stage - 1);
      step.done = stage < row.current_stage ? 1 : 0;
      if (const int status = reached.insert(step); status != 0) return status;
    }
  }
  return 0;
}

}  // namespace

int write_jobs(const std::string& folder) {
  return write_in_turn(folder, {write_job_types, write_stages, write_recurrences});
}

}  // namespace platform::demo
