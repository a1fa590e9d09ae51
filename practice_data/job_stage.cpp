// The job stage that an event moves a client's job to: see qarntash/practice_data/client_status.h.
#include <climits>
#include <cstdint>
#include <cstring>

#include "platform/dates.h"
#include "platform/errors.h"
#include "platform/job_services.h"
#include "platform/practice/jobs.h"
#include "platform/practice/practice_table.h"
#include "qarntash/practice_data/client_status.h"

namespace {

constexpr const char* kSourceFile = "TaxSharedLib_002";
constexpr std::int32_t kUndatedJobType = -7;  // a job type whose recurrences are not dated
constexpr int kNoJobType = -1;
constexpr int kDuplicateRecurrence = -2;
constexpr int kNoRecurrence = -3;

#pragma pack(push, 1)
struct JobTypeKey {              // zorv1411.ttl key 3
  std::int32_t job_type;
  std::int32_t job_id;
};
struct RecurrenceKey {           // zorv1445.ttl key 1
  PMCO_INT_REF client;
  std::int32_t job_id;
  std::int32_t date;
  std::int32_t recurrence_number;
};
struct StageKey {                // zorv1431.ttl key 2
  std::int32_t job_id;
  std::int32_t event_type;
  std::int32_t stage_number;
};
struct ReachedKey {              // zorv1446.ttl key 0
  std::int32_t recurrence_number;
  std::int32_t stage_number;
};
#pragma pack(pop)
static_assert(sizeof(RecurrenceKey) == 17 && sizeof(StageKey) == 12 && sizeof(ReachedKey) == 8, "job keys");

// The date of the job's period: 5 April of a tax year, or a period's day number.
std::int32_t period_date(std::int32_t job_type, int period) {
  switch (paeh_get_currency_type(job_type, 0)) {
    case kJobPeriodTaxYear:
      return period > 1900 && period < 2100 ? static_cast<std::int32_t>(la_builddate(5, 4, period)) : 0;
    case kJobPeriodEndDate:
    case kJobPeriodDate: return period > 10000 && period < 100000 ? period : 0;
    default: return 0;
  }
}

// The number of the client's recurrence of the job of `job_type` for `date`; -1 no such job
// type, -3 no such recurrence.
int find_recurrence(const PMCO_INT_REF& client, std::int32_t job_type, std::int32_t date) {
  // Key 3 of the job types is (job type, job id): the first of the job type is at or after
  // (job type, smallest id).
  platform::PracticeTable<ZORV1411_REC> job_types(kSourceFile);
  job_types.set_key(JobTypeKey{job_type, INT32_MIN});
  if (!job_types.read(BTR_GET_GREATER_OR_EQUAL, 3).ok() || job_types.record().job_type != job_type) {
    return kNoJobType;
  }
  const std::int32_t job_id = job_types.record().job_id;
  platform::PracticeTable<ZORV1445_REC> recurrences(kSourceFile);
  recurrences.set_key(RecurrenceKey{client, job_id, date, 0});
  if (!recurrences.read(BTR_GET_GREATER, 1).ok()) return kNoRecurrence;
  const ZORV1445_REC& found = recurrences.record();
  const bool same_job = found.client_type == client.type && found.client_number == client.number && found.job_id == job_id;
  if (same_job && (found.date == date || job_type == kUndatedJobType)) return found.recurrence_number;
  return kNoRecurrence;
}

// The client-type bit of the stages' exclusion masks.
std::int32_t exclusion_bit(int client_type) {
  switch (client_type) {
    case 1: case 2: case 4: case 8: case 16: case 32: return client_type;
    case 64: return 128;
    case 128: return 256;
    case 256: return 512;
    case 512: return 1024;
    default: return 0;
  }
}

}  // namespace

extern "C" {

char GetJobStageFromEvent(int eventType, const char* clientRef, int period, FA_BASIC* stages) {
  if (clientRef == nullptr || stages == nullptr) return 0;
  const PACO_EVENT* event = PACO_EVENT::get_by_type(eventType);
  if (event == nullptr || event->job_type == 0) return 0;
  PMCO_INT_REF client{};
  std::memcpy(&client, clientRef, sizeof client);
  if (client.type == 0) return 0;

  const std::int32_t date = period_date(event->job_type, period);
  if (date <= 0 && event->job_type != kUndatedJobType) return 0;
  const int recurrence_number = find_recurrence(client, event->job_type, date);
  if (recurrence_number == kDuplicateRecurrence) {
    _exgen_error(0, "PAEH: Failed to find/create job recurrence - duplicate key", 1, kSourceFile, __LINE__);
  }
  if (recurrence_number <= 0) return 0;

  platform::PracticeTable<ZORV1445_REC> recurrences(kSourceFile);
  if (!recurrences.find(0, static_cast<std::int32_t>(recurrence_number)).ok()) return 0;
  const PMCO_INT_REF recurrence_client{recurrences.record().client_type, recurrences.record().client_number};
  const std::int32_t job_id = recurrences.record().job_id;

  platform::PracticeTable<ZORV1431_REC> job_stages(kSourceFile);
  job_stages.set_key(StageKey{job_id, eventType, 0});
  if (!job_stages.read(BTR_GET_GREATER, 2).ok()) return 0;
  if (job_stages.record().job_id != job_id || job_stages.record().event_type != eventType) return 0;
  const std::int32_t stage_number = job_stages.record().stage_number;
  const int client_type = paeh_get_cltype(reinterpret_cast<const char*>(&recurrence_client));
  if ((job_stages.tld().client_type_exclusions & exclusion_bit(client_type)) != 0) return 0;

  // The caller's table: its key cleared within its own length, then (recurrence, stage).
  const ReachedKey reached{recurrence_number, stage_number};
  if (stages->key_length() < static_cast<int>(sizeof reached)) return 0;
  stages->clear_key();
  std::memcpy(stages->key_buffer(), &reached, sizeof reached);
  return stages->fa_geteq(0, 0, kSourceFile, faba001_constants().key_not_found) == 0 ? 1 : 0;
}

}  // extern "C"
