#include "qarntash/tax_rules/accounting_dates.h"

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "platform/practice_tables.h"
#include "platform/record_store.h"
#include "platform/store_faults.h"
#include "support/demo_practice_fixture.h"
#include "support/practice_folder.h"

namespace {

using test_support::day_number;

// A day number with a bit set past the low 32, where long has them (not on Windows, whose long
// is 32 bits: the tests that use this run only where it has more).
long beyond_32_bits(long day) { return static_cast<long>((1ULL << 32) + static_cast<unsigned long long>(day)); }

// The demo practice's dated clients: a sole trader whose trade began and ended (2003), a company
// with yearly periods to the end of February and a period marker of another kind (2004), a
// client with no dates (2005), a sole trader (2006) and, next to it, a client with none (2007).
constexpr PMCO_INT_REF kSoleTrader{2, 2003};
constexpr PMCO_INT_REF kCompany{2, 2004};
constexpr PMCO_INT_REF kNoDates{2, 2005};
constexpr PMCO_INT_REF kNewTrader{2, 2006};
constexpr PMCO_INT_REF kNextToNewTrader{2, 2007};

class AccountingDates : public test_support::DemoPracticeTest {};

TEST_F(AccountingDates, TradeDatesAndIncorporation) {
  const struct { PMCO_INT_REF client; long began, ended, incorporated; } cases[] = {
      {kSoleTrader, day_number(1, 6, 2010), day_number(31, 12, 2022), 0},
      {kCompany, day_number(1, 4, 2017), 0, day_number(1, 3, 2017)},
      {kNoDates, 0, 0, 0},
      {kNewTrader, day_number(6, 4, 2018), 0, 0},
      {kNextToNewTrader, 0, 0, 0},
  };
  for (const auto& c : cases) {
    bool began_found = !c.began, ended_found = !c.ended, incorporated_found = !c.incorporated;
    EXPECT_EQ(CDatesDataAccess::GetDateTradeBegun(c.client, &began_found), c.began) << c.client.number;
    EXPECT_EQ(CDatesDataAccess::GetDateTradeEnded(c.client, &ended_found), c.ended) << c.client.number;
    EXPECT_EQ(CDatesDataAccess::GetDateOfIncorporation(c.client, &incorporated_found), c.incorporated);
    EXPECT_EQ(began_found, c.began > 0);
    EXPECT_EQ(ended_found, c.ended > 0);
    EXPECT_EQ(incorporated_found, c.incorporated > 0);
    long start = -1, end = -1;
    CDatesDataAccess::GetTradeStartAndEndDates(c.client, start, end);
    EXPECT_EQ(start, c.began);
    EXPECT_EQ(end, c.ended);
  }
  EXPECT_EQ(CDatesDataAccess::GetDateTradeBegun(kSoleTrader, nullptr), day_number(1, 6, 2010));
}

TEST_F(AccountingDates, PeriodStartsByEachRule) {
  const struct { PMCO_INT_REF client; long period_end, start; int found; const char* rule; } cases[] = {
      {kCompany, day_number(28, 2, 2019), day_number(1, 3, 2018), 1, "after the previous period"},
      {kCompany, day_number(28, 2, 2021), day_number(1, 3, 2020), 1, "past a marker of another kind"},
      {kCompany, day_number(29, 2, 2020), day_number(1, 3, 2019), 1, "after the previous period"},
      {kCompany, day_number(31, 3, 2020), day_number(1, 3, 2020), 1, "a period end not recorded"},
      {kCompany, day_number(28, 2, 2018), day_number(1, 3, 2017), 1, "incorporation"},
      {kSoleTrader, day_number(31, 12, 2020), day_number(1, 6, 2010), 1, "trade start"},
      {kSoleTrader, day_number(31, 12, 2022), day_number(1, 1, 2022), 1, "after the previous period"},
      {kNoDates, day_number(31, 3, 2021), day_number(1, 4, 2020), 0, "one year back"},
      {kNoDates, day_number(29, 2, 2020), day_number(1, 3, 2019), 0, "one year back from 29 February"},
      {kNextToNewTrader, day_number(5, 4, 2021), day_number(6, 4, 2020), 0, "a neighbour's periods are not used"},
      {kNoDates, day_number(31, 3, 1900), 0, 0, "no year before 1900"},
      {kNoDates, 0, 0, 0, "no period end"},
      {kNoDates, -400, 0, 0, "a negative period end"},
  };
  for (const auto& c : cases) {
    int found = -1;
    EXPECT_EQ(CDatesDataAccess::GetPeriodStart(c.client, c.period_end, &found), c.start) << c.rule;
    EXPECT_EQ(found, c.found) << c.rule;
  }
  if (sizeof(long) > 4) {
    int found = -1;
    EXPECT_EQ(CDatesDataAccess::GetPeriodStart(kNoDates, beyond_32_bits(day_number(31, 3, 2021)), &found), 0);
    EXPECT_EQ(found, 0);
  }
}

TEST_F(AccountingDates, PeriodsByIdentifierAndTheFirstOfTheTrade) {
  const struct { long period_id; long end; PMCO_INT_REF client; bool first; } cases[] = {
      {41, day_number(28, 2, 2018), kCompany, true},    {42, day_number(28, 2, 2019), kCompany, false},
      {43, day_number(29, 2, 2020), kCompany, false},   {31, day_number(31, 12, 2020), kSoleTrader, true},
      {61, day_number(5, 4, 2019), kNewTrader, true},   {62, day_number(5, 4, 2020), kNewTrader, false},
      {61, day_number(5, 4, 2019), kNextToNewTrader, false},
      {999, 0, kNoDates, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CDatesDataAccess::GetPeriodEndDate(c.period_id), c.end) << c.period_id;
    EXPECT_EQ(CDatesDataAccess::GetIsFirstTradingPeriod(c.client, c.period_id), c.first) << c.period_id;
  }
  if (sizeof(long) > 4) {
    EXPECT_EQ(CDatesDataAccess::GetPeriodEndDate(beyond_32_bits(41)), 0);
  }
}

TEST_F(AccountingDates, TablesThatDoNotOpenOrReadGiveNoDate) {
  for (const int operation : {platform::kStoreOpenOperation, static_cast<int>(BTR_GET_EQUAL)}) {
    const auto failing = [operation] {
      auto faults = std::make_unique<platform::StoreFaults>();
      faults->fail_next(operation, operation == platform::kStoreOpenOperation ? BTR_FILE_NOT_FOUND : BTR_IO_ERROR);
      return faults;
    };
    bool found = true;
    { auto f = failing(); EXPECT_EQ(CDatesDataAccess::GetDateTradeBegun(kSoleTrader, &found), 0); }
    EXPECT_FALSE(found);
    found = true;
    { auto f = failing(); EXPECT_EQ(CDatesDataAccess::GetDateOfIncorporation(kCompany, &found), 0); }
    EXPECT_FALSE(found);
    long start = -1, end = -1;
    { auto f = failing(); CDatesDataAccess::GetTradeStartAndEndDates(kSoleTrader, start, end); }
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 0);
    { auto f = failing(); EXPECT_EQ(CDatesDataAccess::GetPeriodEndDate(41), 0); }
    { auto f = failing(); EXPECT_FALSE(CDatesDataAccess::GetIsFirstTradingPeriod(kCompany, 41)); }
  }
}

// Stored dates of 0 or below are not dates.
TEST(AccountingDatesStored, ANegativeStoredDateIsNoDate) {
  test_support::PracticeFolder practice({"zorv1201.ttl", "zorv1202.ttl", "ZORV1203.TTL"});
  ZORV1201_REC trade{};
  trade.client_number = 5;
  trade.date_trade_began = -3;
  trade.date_trade_ended = 0;
  ASSERT_EQ(practice.insert("zorv1201.ttl", trade), 0);
  ASSERT_EQ(practice.insert("zorv1202.ttl", ZORV1202_REC{5, -10, 1, 7}), 0);

  bool found = true;
  EXPECT_EQ(CDatesDataAccess::GetDateTradeBegun({2, 5}, &found), 0);
  EXPECT_FALSE(found);
  long start = -1, end = -1;
  CDatesDataAccess::GetTradeStartAndEndDates({2, 5}, start, end);
  EXPECT_EQ(start, 0);
  EXPECT_EQ(CDatesDataAccess::GetPeriodEndDate(7), 0);
  int period_found = -1;
  EXPECT_EQ(CDatesDataAccess::GetPeriodStart({2, 5}, day_number(31, 3, 2021), &period_found), day_number(1, 4, 2020));
  EXPECT_EQ(period_found, 0);
}

}  // namespace
