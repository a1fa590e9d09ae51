// File: qarntash/tax_rules/accounting_dates.h
//
// A client's trading dates and accounting periods, as the practice records hold them: when the
// trade began and ended (zorv1201.ttl), when a company was incorporated (ZORV1203.ttl, tagged
// field 400), where each accounting period ends (zorv1202.ttl: a record of period kind 1 closes
// a period; other kinds mark points inside one), where a period starts, and whether a period is
// the first of the trade. Each function opens the table it needs on the configured data path,
// reads, and closes it again.
//
// Dates are day numbers (platform/dates.h); 0 is no date. A stored date of 0 or below is not a
// date: it reads as 0, not found. A client or period number beyond 32 bits is no record's. A
// table that cannot be opened or read gives the same answer as a record that is not there (and
// is reported on the platform's report channel).
//
// Usage:
//   bool found = false;
//   long began = CDatesDataAccess::GetDateTradeBegun(client, &found);
//   int start_found = 0;
//   long start = CDatesDataAccess::GetPeriodStart(client, period_end, &start_found);
#pragma once

#include "platform/types.h"
#include "qarntash/export.h"

class QARNTASH_API CDatesDataAccess {
 public:
  // The end date of the period record with identifier `periodId`, or 0.
  static long GetPeriodEndDate(long periodId);

  // The date the client's trade began (or ended), or 0; *found (when not null) says whether it
  // is a date.
  static long GetDateTradeBegun(const PMCO_INT_REF& client, bool* found);
  static long GetDateTradeEnded(const PMCO_INT_REF& client, bool* found);

  // Both trade dates from one read; each 0 when the client has no trade dates or it is not a date.
  static void GetTradeStartAndEndDates(const PMCO_INT_REF& client, long& start, long& end);

  // The date the company was incorporated, or 0; *found as above.
  static long GetDateOfIncorporation(const PMCO_INT_REF& client, bool* found);

  // The first day of the client's accounting period that ends on `periodEnd`:
  //  1. the day after the end of the client's previous period (the latest kind-1 record before
  //     periodEnd), *found = 1; else
  //  2. the date of incorporation, *found = 1; else
  //  3. the date the trade began, *found = 1; else
  //  4. the day after periodEnd moved back one year (29 February moves to 28 February), *found = 0.
  // 0 with *found = 0 when periodEnd is not a date or the year before it is not in the calendar.
  static long GetPeriodStart(const PMCO_INT_REF& client, long periodEnd, int* found);

  // True when period `periodId` is the client's accounting period (kind 1) that holds the day the
  // trade began (platform/accounting_periods.h says how periods are found).
  static bool GetIsFirstTradingPeriod(const PMCO_INT_REF& client, long periodId);

 private:
  CDatesDataAccess() = default;
};
