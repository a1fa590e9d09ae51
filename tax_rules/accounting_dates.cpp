// Trading dates and accounting periods from the practice's tables.
#include "qarntash/tax_rules/accounting_dates.h"

#include <climits>
#include <cstdint>
#include <optional>

#include "platform/accounting_periods.h"
#include "platform/dates.h"
#include "platform/field_tables.h"
#include "platform/practice/practice_table.h"
#include "platform/practice_tables.h"

namespace tax_rules_internal {
namespace {

constexpr const char* kSourceFile = "DatesDataAccess";
constexpr int kKeyByClient = 0;    // trade dates, periods and company data: client number first
constexpr int kKeyByPeriodId = 1;  // periods: the period identifier
constexpr std::int16_t kPeriodClosing = 1;  // the period kind that closes an accounting period
constexpr std::int32_t kCompanyDataTag = 400;  // company data: date of incorporation, 4 bytes raw
constexpr std::int32_t kCompanyDataKind = 6;
constexpr int kCompanyDataKeyLength = 16;

bool fits_32_bits(long value) { return value >= INT32_MIN && value <= INT32_MAX; }

// A stored day number as a date: one of 0 or below is none.
long as_date(std::int32_t stored) { return stored > 0 ? stored : 0; }

struct TradeDates {
  long began = 0;
  long ended = 0;
};

// The client's trade dates, or nothing when it has no trade dates record (or it cannot be read).
std::optional<TradeDates> read_trade_dates(const PMCO_INT_REF& client) {
  platform::PracticeTable<ZORV1201_REC> trade_dates(kSourceFile);
  if (!trade_dates.find(kKeyByClient, static_cast<std::int32_t>(client.number)).ok()) return std::nullopt;
  return TradeDates{as_date(trade_dates.record().date_trade_began), as_date(trade_dates.record().date_trade_ended)};
}

void set_found(bool* found, long date) {
  if (found != nullptr) *found = date > 0;
}

// The end of the client's latest accounting period that ends before `period_end`, or 0.
long previous_period_end(std::int32_t client_number, std::int32_t period_end) {
  platform::PracticeTable<ZORV1202_REC> periods(kSourceFile);
  // Key 0 is client, period end, period kind: get less steps back through the client's records
  // from just before (period_end, kind 1), each read leaving its key for the next.
  periods.set_key(ZORV1202_REC{client_number, period_end, kPeriodClosing, 0});
  for (platform::StoreStatus status = periods.read(BTR_GET_LESS, kKeyByClient); status.ok();
       status = periods.read(BTR_GET_LESS, kKeyByClient)) {
    const ZORV1202_REC& record = periods.record();
    if (record.client_number != client_number) break;
    if (record.period_kind == kPeriodClosing && record.period_end > 0) return record.period_end;
  }
  return 0;
}

// The same day and month a year before `date`, through the platform's date parts (which take
// 29 February to 28 February); 0 when that year is before the calendar starts.
long one_year_before(long date) {
  DateParts parts{};
  int_to_date(date, &parts);
  parts.year -= 1;
  return date_to_int(&parts);
}

}  // namespace
}  // namespace tax_rules_internal

using namespace tax_rules_internal;

long CDatesDataAccess::GetPeriodEndDate(long periodId) {
  if (!fits_32_bits(periodId)) return 0;
  platform::PracticeTable<ZORV1202_REC> periods(kSourceFile);
  if (!periods.find(kKeyByPeriodId, static_cast<std::int32_t>(periodId)).ok()) return 0;
  return as_date(periods.record().period_end);
}

long CDatesDataAccess::GetDateTradeBegun(const PMCO_INT_REF& client, bool* found) {
  const long date = read_trade_dates(client).value_or(TradeDates{}).began;
  set_found(found, date);
  return date;
}

long CDatesDataAccess::GetDateTradeEnded(const PMCO_INT_REF& client, bool* found) {
  const long date = read_trade_dates(client).value_or(TradeDates{}).ended;
  set_found(found, date);
  return date;
}

void CDatesDataAccess::GetTradeStartAndEndDates(const PMCO_INT_REF& client, long& start, long& end) {
  // Only a record that was read gives dates: a failed read leaves nothing of its own to copy.
  const TradeDates dates = read_trade_dates(client).value_or(TradeDates{});
  start = dates.began;
  end = dates.ended;
}

long CDatesDataAccess::GetDateOfIncorporation(const PMCO_INT_REF& client, bool* found) {
  set_found(found, 0);
  platform::PracticeTable<ZORV1203_REC> company_data(kSourceFile);
  if (!company_data.is_open()) return 0;
  const ZORV1203_REC key{client.number, kCompanyDataKind, 0, 0, {}};
  std::int32_t incorporated = 0;
  // The field table of the one field read: each call has its own, so calls do not share a date.
  const FAC_ENTRY fields[] = {{kCompanyDataTag, static_cast<std::int16_t>(sizeof incorporated), FAC_KIND_RAW, 0, &incorporated},
                              {-1, 0, 0, 0, nullptr}};
  company_data.set_key(key);
  if (company_data.read(BTR_GET_EQUAL, kKeyByClient).ok() &&
      get_fac(fields, company_data.fa()->handle(), kCompanyDataKeyLength) != BTR_OK) {
    incorporated = 0;  // a damaged tagged record (reported by get_fac) holds no date
  }
  const long date = as_date(incorporated);
  set_found(found, date);
  return date;
}

long CDatesDataAccess::GetPeriodStart(const PMCO_INT_REF& client, long periodEnd, int* found) {
  if (found != nullptr) *found = 0;
  if (periodEnd <= 0 || !fits_32_bits(periodEnd)) return 0;

  const long previous_end = previous_period_end(client.number, static_cast<std::int32_t>(periodEnd));
  long start = previous_end > 0 ? previous_end + 1 : 0;
  if (start == 0) start = GetDateOfIncorporation(client, nullptr);
  if (start == 0) start = GetDateTradeBegun(client, nullptr);
  if (start > 0) {
    if (found != nullptr) *found = 1;
    return start;
  }
  const long year_before = one_year_before(periodEnd);
  return year_before > 0 ? year_before + 1 : 0;
}

bool CDatesDataAccess::GetIsFirstTradingPeriod(const PMCO_INT_REF& client, long periodId) {
  bool found = false;
  const long trade_began = GetDateTradeBegun(client, &found);
  // No bit past the low 32 (asked by shifting: where long is 32 bits, as on Windows, UINT32_MAX
  // cast to long is -1, and comparing with it refused every period).
  if (!found || periodId < 0 || (static_cast<unsigned long long>(periodId) >> 32) != 0) return false;
  fvex_BAP period;
  fvex_BAP_FCB search;
  search.find_for_date(client.number, trade_began, false, kPeriodClosing, period, false);
  return search.is_valid() && period.BAP() == static_cast<std::uint32_t>(periodId);
}
