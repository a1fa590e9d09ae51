// The job and event services: see platform/job_services.h.
#include "platform/job_services.h"

#include <cstring>

#include "platform/practice/jobs.h"
#include "platform/practice/practice_table.h"

namespace {

constexpr PACO_EVENT kEvents[] = {
    {101, 1, "Records requested"},        {102, 1, "Records received"},
    {103, 1, "Return sent for signature"}, {104, 1, "Return filed"},
    {201, 2, "Year-end records received"}, {202, 2, "Accounts approved"},
    {301, 0, "Letter sent"},
};

#pragma pack(push, 1)
struct JobTypeKey {              // zorv1411.ttl key 3
  std::int32_t job_type;
  std::int32_t job_id;
};
#pragma pack(pop)

}  // namespace

const PACO_EVENT* PACO_EVENT::get_by_type(long event_type) {
  for (const PACO_EVENT& event : kEvents) {
    if (event.event_type == event_type) return &event;
  }
  return nullptr;
}

extern "C" {

int paeh_get_currency_type(long job_type, int) {
  if (job_type < INT32_MIN || job_type > INT32_MAX) return kJobPeriodNone;
  platform::PracticeTable<ZORV1411_REC> job_types("paeh_get_currency_type");
  job_types.set_key(JobTypeKey{static_cast<std::int32_t>(job_type), INT32_MIN});
  if (!job_types.read(BTR_GET_GREATER_OR_EQUAL, 3).ok() || job_types.record().job_type != job_type) {
    return kJobPeriodNone;
  }
  return job_types.record().flags & 0xFF;
}

int paeh_get_cltype(const char* client_reference) {
  if (client_reference == nullptr) return 0;
  switch (static_cast<unsigned char>(client_reference[0])) {
    case 1: return 1;
    case 2: return 2;
    case 5: return 32;
    default: return 0;
  }
}

}  // extern "C"
