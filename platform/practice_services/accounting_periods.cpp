// Accounting periods derived from the practice's period records; see platform/accounting_periods.h.
#include "platform/accounting_periods.h"

#include <climits>
#include <cstring>

#include "platform/practice_tables.h"
#include "platform/table_classes.h"

cLBW_FCB::~cLBW_FCB() = default;

bool fvex_BAP_FCB::find_for_date(long client_number, long date, bool, short period_kind, fvex_BAP& period,
                                 bool) {
  set_valid(false);
  if (date <= 0 || client_number < INT32_MIN || client_number > INT32_MAX) return false;

  PM_DBASE<ZORV1202_REC> periods;
  FA_BASIC* table = periods.access_pointer();
  if (!table->is_open()) return false;
  // Key 0 is the record's first ten bytes: client, period end, period kind. The walk starts
  // before every record of the client and takes the ends of its periods in date order.
  ZORV1202_REC key{};
  key.client_number = static_cast<std::int32_t>(client_number);
  key.period_end = INT32_MIN;
  key.period_kind = INT16_MIN;
  std::memcpy(table->key_buffer(), &key, static_cast<std::size_t>(table->key_length()));

  const int end = faba001_constants().end_of_file;
  long previous_end = 0;
  for (int status = table->fa_get(BTR_GET_GREATER_OR_EQUAL, 0, 0, "find_for_date", end); status == BTR_OK;
       status = table->fa_get(BTR_GET_NEXT, 0, 0, "find_for_date", end)) {
    const ZORV1202_REC& record = *periods.record();
    if (record.client_number != client_number) break;
    if (record.period_kind != period_kind || record.period_end <= 0) continue;
    if (date <= record.period_end) {
      period.identifier_ = static_cast<std::uint32_t>(record.period_id);
      period.start_date_ = previous_end > 0 ? previous_end + 1 : 0;
      period.end_date_ = record.period_end;
      set_valid(true);
      break;
    }
    previous_end = record.period_end;
  }
  return is_valid();
}
