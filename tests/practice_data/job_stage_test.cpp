#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "platform/dates.h"
#include "platform/practice/dates_and_periods.h"
#include "platform/practice/jobs.h"
#include "platform/store_faults.h"
#include "platform/table_classes.h"
#include "platform/types.h"
#include "qarntash/practice_data/client_status.h"
#include "support/demo_practice_fixture.h"

namespace {

class JobStage : public test_support::DemoPracticeTest {};

const char* as_text(const PMCO_INT_REF& client) { return reinterpret_cast<const char*>(&client); }

TEST_F(JobStage, AnEventMovesTheJobOfItsPeriodToAStageTheClientHasReached) {
  const struct { int event; PMCO_INT_REF client; long period; char found; std::int32_t stage; } cases[] = {
      {101, {1, 1001}, 2023, 1, 1},  {102, {1, 1001}, 2023, 1, 2},  // the tax return dated 5 April 2023
      {104, {1, 1001}, 2023, 0, 0},                                  // a stage not reached yet
      {102, {1, 1001}, 2022, 0, 0},                                  // no return for 2022
      {101, {1, 1001}, 1900, 0, 0},  {101, {1, 1001}, 2100, 0, 0},   // years outside the job's range
      {301, {1, 1001}, 2023, 0, 0},                                  // an event of no job
      {999, {1, 1001}, 2023, 0, 0},                                  // an event not in the list
      {101, {5, 5001}, 2023, 0, 0},                                  // the stage is skipped for trusts
      {201, {2, 2001}, fp_builddate(30, 4, 2023), 1, 1},             // accounts, by period end date
      {201, {2, 2001}, 2023, 0, 0},                                  // ... not by year
      {101, {0, 1001}, 2023, 0, 0},                                  // an empty reference
  };
  for (const auto& c : cases) {
    PM_DBASE<ZORV1446_REC> reached;
    EXPECT_EQ(GetJobStageFromEvent(c.event, as_text(c.client), static_cast<int>(c.period), reached.access_pointer()),
              c.found)
        << c.event << " " << +c.client.type << ":" << c.client.number << " " << c.period;
    if (c.found != 0) {
      EXPECT_EQ(+reached.record()->stage_number, c.stage) << c.event;
    }
  }
}

TEST_F(JobStage, NullArgumentsShortKeysAndFailedReadsGiveNothing) {
  const PMCO_INT_REF smith{1, 1001};
  PM_DBASE<ZORV1446_REC> reached;
  EXPECT_EQ(GetJobStageFromEvent(101, nullptr, 2023, reached.access_pointer()), 0);
  EXPECT_EQ(GetJobStageFromEvent(101, as_text(smith), 2023, nullptr), 0);

  // A stage table of another shape: its key (10 bytes) is cleared and filled within its length.
  PM_DBASE<ZORV1202_REC> periods;
  EXPECT_EQ(GetJobStageFromEvent(101, as_text(smith), 2023, periods.access_pointer()), 0);

  platform::StoreFaults faults;
  faults.fail_next(BTR_GET_GREATER, BTR_IO_ERROR);  // the search for the recurrence
  EXPECT_EQ(GetJobStageFromEvent(101, as_text(smith), 2023, reached.access_pointer()), 0);
}

}  // namespace
