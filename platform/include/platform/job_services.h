// File: platform/job_services.h
//
// The job and event services of the practice-management platform that the job-stage lookup
// calls: the event list (which job type each event belongs to), a job type's period kind, and a
// client's type as the job services number it.
//
// The event list is the platform's own: events 101 to 104 move a self assessment tax return
// (job type 1) through its stages, 201 and 202 the annual accounts (job type 2), and 301 ("Letter
// sent") belongs to no job.
//
// Usage:
//   const PACO_EVENT* event = PACO_EVENT::get_by_type(102);
//   if (event != nullptr && event->job_type != 0) ... paeh_get_currency_type(event->job_type, 0)
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/export.h"
#include "platform/types.h"

#pragma pack(push, 1)
struct PLATFORM_API PACO_EVENT {  // off size
  std::int32_t event_type;       //  0   4
  std::int32_t job_type;         //  4   4   0: the event moves no job
  char description[41];          //  8  41

  // The event of `event_type` in the list; null for one the list lacks.
  static const PACO_EVENT* get_by_type(long event_type);
};
#pragma pack(pop)
static_assert(sizeof(PACO_EVENT) == 49 && offsetof(PACO_EVENT, job_type) == 4 &&
                  offsetof(PACO_EVENT, description) == 8,
              "PACO_EVENT");

// Job period kinds of paeh_get_currency_type.
constexpr int kJobPeriodNone = 0;
constexpr int kJobPeriodTaxYear = 1;   // a job per tax year: its period is the year
constexpr int kJobPeriodEndDate = 2;   // a job per accounting period: its period is the end date
constexpr int kJobPeriodDate = 3;      // a job on a date

extern "C" {
// The period kind of `job_type`: the low byte of its job-types record's flags (zorv1411.ttl), 0
// for a job type not there. `reserved` is kept for the suite's callers.
PLATFORM_API int paeh_get_currency_type(long job_type, int reserved);
// The type of the client `client_reference` (a PMCO_INT_REF, 5 bytes) as the job services number
// it: 1 individual, 2 business, 32 trust; 0 for a null reference and other parties.
PLATFORM_API int paeh_get_cltype(const char* client_reference);
}
