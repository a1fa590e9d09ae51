// File: platform/accounting_periods.h
//
// A client's accounting periods, as the accounts programs keep them.
//
// This stand-in derives the periods from the practice's period records (zorv1202.ttl): each
// record of a client with a given period kind and a period end date above 0 ends one period of
// that kind, and the period runs from the day after the previous such record's end date. The
// client's first period has no earlier record, so it takes in every date up to its end: the
// practice records where periods end, not where the first one began. A period's identifier is
// its record's period identifier. Records of other kinds (part-period markers, say) and records
// whose end date is 0 or negative play no part.
//
//  - cLBW_FCB: the base of the platform's search handles: is_valid() says whether the last search
//    found something.
//  - fvex_BAP: one accounting period: identifier, first and last day.
//  - fvex_BAP_FCB: a search over a client's periods.
//
// Usage:
//   fvex_BAP period;
//   fvex_BAP_FCB search;
//   search.find_for_date(client_number, date, false, 1, period, false);
//   if (search.is_valid()) ... period.BAP(), period.start_date(), period.end_date()
#pragma once

#include <cstdint>

#include "platform/export.h"

class PLATFORM_API cLBW_FCB {
 public:
  virtual ~cLBW_FCB();
  bool is_valid() const { return valid_; }

 protected:
  void set_valid(bool valid) { valid_ = valid; }

 private:
  bool valid_ = false;
};

class PLATFORM_API fvex_BAP {
 public:
  std::uint32_t BAP() const { return identifier_; }
  long start_date() const { return start_date_; }  // 0 for a client's first period
  long end_date() const { return end_date_; }

 private:
  friend class fvex_BAP_FCB;
  std::uint32_t identifier_ = 0;
  long start_date_ = 0;
  long end_date_ = 0;
};

class PLATFORM_API fvex_BAP_FCB : public cLBW_FCB {
 public:
  // Finds the period of kind `period_kind` of client `client_number` that holds day `date` and
  // puts it in `period`. Returns is_valid(): false (and `period` as it was) when the client has
  // no such period, the date is 0 or below, or the periods cannot be read. The two flags are
  // kept for the suite's callers and not used.
  bool find_for_date(long client_number, long date, bool flag1, short period_kind, fvex_BAP& period, bool flag2);
};
