// File: platform/practice/jobs.h
//
// The practice's work: job types (a tax return, the accounts), the stages each job type goes
// through (each stage may be skipped for some client types), the recurrences of a job for one
// client and period, and the stages that each recurrence has reached.
//
// Integers are little-endian; dates are day numbers (int32, 0 = none); texts are NUL-padded.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/export.h"
#include "platform/practice/table_entry.h"

#pragma pack(push, 1)

// zorv1411.ttl: job types (64 / 41).
struct ZORV1411_REC {            // off size
  char code[11];                 //  0  11
  std::int32_t job_id;           // 11   4
  std::int32_t job_type;         // 15   4
  char description[41];          // 19  41
  std::int32_t flags;            // 60   4
};

// zorv1445.ttl: job recurrences (277 / 17).
struct ZORV1445_REC {            // off size
  std::int32_t recurrence_number;  //  0   4
  std::uint8_t client_type;      //  4   1
  std::int32_t client_number;    //  5   4
  std::int32_t current_stage;    //  9   4
  std::int32_t job_id;           // 13   4
  std::int32_t date;             // 17   4  the period's date (0 for undated jobs)
  std::int32_t date_created;     // 21   4
  char notes[252];               // 25 252
};

// zorv1431.ttl: job stages (272 / 12, tagged part).
struct ZORV1431_REC {            // off size
  std::int32_t job_id;           //  0   4
  std::int32_t event_type;       //  4   4
  std::int32_t stage_number;     //  8   4
  char tagged[260];              // 12 260  tagged fields (ZORV1431_TLD)
};
struct ZORV1431_TLD {            // off size  tag
  char description[81];          //  0  81   101
  std::int32_t due_days;         // 81   4   102
  std::int32_t client_type_exclusions;  // 85  4  103  client-type bits for which the stage is skipped
  std::int32_t flags;            // 89   4   104
};

// zorv1446.ttl: stages reached by a job recurrence (32 / 13).
struct ZORV1446_REC {            // off size
  std::int32_t recurrence_number;  //  0   4
  std::int32_t stage_number;     //  4   4
  std::int32_t date_reached;     //  8   4
  std::uint8_t done;             // 12   1
  char reserved[19];             // 13  19
};

#pragma pack(pop)

static_assert(sizeof(ZORV1411_REC) == 64, "ZORV1411_REC");
static_assert(offsetof(ZORV1411_REC, job_id) == 11 && offsetof(ZORV1411_REC, job_type) == 15 &&
                  offsetof(ZORV1411_REC, description) == 19 && offsetof(ZORV1411_REC, flags) == 60, "ZORV1411_REC");
static_assert(sizeof(ZORV1445_REC) == 277, "ZORV1445_REC");
static_assert(offsetof(ZORV1445_REC, client_type) == 4 && offsetof(ZORV1445_REC, client_number) == 5 &&
                  offsetof(ZORV1445_REC, current_stage) == 9 && offsetof(ZORV1445_REC, job_id) == 13 &&
                  offsetof(ZORV1445_REC, date) == 17 && offsetof(ZORV1445_REC, date_created) == 21 &&
                  offsetof(ZORV1445_REC, notes) == 25, "ZORV1445_REC");
static_assert(sizeof(ZORV1431_REC) == 272, "ZORV1431_REC");
static_assert(offsetof(ZORV1431_REC, event_type) == 4 && offsetof(ZORV1431_REC, stage_number) == 8 &&
                  offsetof(ZORV1431_REC, tagged) == 12, "ZORV1431_REC");
static_assert(sizeof(ZORV1431_TLD) == 93, "ZORV1431_TLD");
static_assert(offsetof(ZORV1431_TLD, due_days) == 81 && offsetof(ZORV1431_TLD, client_type_exclusions) == 85 &&
                  offsetof(ZORV1431_TLD, flags) == 89, "ZORV1431_TLD");
static_assert(sizeof(ZORV1446_REC) == 32, "ZORV1446_REC");
static_assert(offsetof(ZORV1446_REC, stage_number) == 4 && offsetof(ZORV1446_REC, date_reached) == 8 &&
                  offsetof(ZORV1446_REC, done) == 12 && offsetof(ZORV1446_REC, reserved) == 13, "ZORV1446_REC");

// The field layout of a job stage's tagged part, ended by tag -1.
PLATFORM_API const TAGGED_FIELD_LAYOUT* zorv1431_tagged_fields();

PLATFORM_PM_RECORD(ZORV1411_REC, "zorv1411.ttl", "job types", 41, false, PM_NO_TAGGED_PART, nullptr,
                   PM_UNIQUE_KEY(PM_KEY_FIELD(ZORV1411_REC, job_id)), PM_UNIQUE_KEY(PM_KEY_FIELD(ZORV1411_REC, code)),
                   PM_DUPLICATE_KEY(PM_KEY_FIELD(ZORV1411_REC, description)),
                   PM_UNIQUE_KEY(PM_KEY_FIELD(ZORV1411_REC, job_type), PM_KEY_FIELD(ZORV1411_REC, job_id)));
PLATFORM_PM_RECORD(ZORV1445_REC, "zorv1445.ttl", "job recurrences", 17, false, PM_NO_TAGGED_PART, nullptr,
                   PM_UNIQUE_KEY(PM_KEY_FIELD(ZORV1445_REC, recurrence_number)),
                   PM_UNIQUE_KEY(PM_KEY_FIELD(ZORV1445_REC, client_type), PM_KEY_FIELD(ZORV1445_REC, client_number),
                                 PM_KEY_FIELD(ZORV1445_REC, job_id), PM_KEY_FIELD(ZORV1445_REC, date),
                                 PM_KEY_FIELD(ZORV1445_REC, recurrence_number)));
PLATFORM_PM_RECORD(ZORV1431_REC, "zorv1431.ttl", "job stages", 12, true, ZORV1431_TLD, zorv1431_tagged_fields(),
                   PM_UNIQUE_KEY(PM_KEY_FIELD(ZORV1431_REC, job_id), PM_KEY_FIELD(ZORV1431_REC, stage_number)),
                   PM_DUPLICATE_KEY(PM_KEY_FIELD(ZORV1431_REC, event_type), PM_KEY_FIELD(ZORV1431_REC, job_id)),
                   PM_UNIQUE_KEY(PM_KEY_FIELD(ZORV1431_REC, job_id), PM_KEY_FIELD(ZORV1431_REC, event_type),
                                 PM_KEY_FIELD(ZORV1431_REC, stage_number)));
PLATFORM_PM_RECORD(ZORV1446_REC, "zorv1446.ttl", "stages reached by job recurrences", 13, false, PM_NO_TAGGED_PART,
                   nullptr,
                   PM_UNIQUE_KEY(PM_KEY_FIELD(ZORV1446_REC, recurrence_number), PM_KEY_FIELD(ZORV1446_REC, stage_number)),
                   PM_DUPLICATE_KEY(PM_KEY_FIELD(ZORV1446_REC, date_reached), PM_KEY_FIELD(ZORV1446_REC, recurrence_number),
                                    PM_KEY_FIELD(ZORV1446_REC, stage_number), PM_KEY_FIELD(ZORV1446_REC, done)));
