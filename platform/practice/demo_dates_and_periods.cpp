// The demo practice's trade dates, accounting periods, company data and dated events.
#include "demo_practice_parts.h"
#include "platform/dates.h"

namespace platform::demo {

namespace {

std::int32_t day(int d, int m, int y) { return static_cast<std::int32_t>(fp_builddate(d, m, y)); }

int write_trades(const std::string& folder) {
  ZORV1201_REC joinery{};
  joinery.client_number = 2001;
  put_text(joinery.trade_description, "Joinery and shopfitting");
  joinery.trade_kind = 1;
  joinery.date_trade_began = day(1, 5, 2015);
  ZORV1201_REC grocers{};
  grocers.client_number = 2002;
  put_text(grocers.trade_description, "Greengrocer");
  grocers.trade_kind = 1;
  grocers.date_trade_began = day(6, 4, 2019);
  RowWriter<ZORV1201_REC> trades(folder);
  const int status = trades.insert(joinery);
  return status != 0 ? status : trades.insert(grocers);
}

// Accounting periods, each closed by its record of kind 1.
int write_periods(const std::string& folder) {
  const ZORV1202_REC periods[] = {
      {2001, day(30, 4, 2021), 1, 1}, {2001, day(30, 4, 2022), 1, 2}, {2001, day(30, 4, 2023), 1, 3},
      {2002, day(31, 3, 2022), 1, 4}, {2002, day(31, 3, 2023), 1, 5},
  };
  RowWriter<ZORV1202_REC> table(folder);
  return insert_each(table, periods, [](RowWriter<ZORV1202_REC>& writer, const ZORV1202_REC& row) {
    return writer.insert(row);
  });
}

int write_company_data(const std::string& folder) {
  ZORV1203_REC company{};
  company.client_number = 2002;
  company.record_kind = kZorv1203CompanyData;
  ZORV1203_COMPANY_TLD data{};
  data.date_of_incorporation = day(15, 3, 2019);
  return insert_tagged_row(folder, company, data, zorv1203_company_tagged_fields());
}

// Address changes: event code 8 for an individual or other party, 7 for a business, 9 for a trust.
int write_events(const std::string& folder) {
  struct Event {
    std::uint8_t type;
    std::int32_t number;
    std::int16_t code;
    std::int32_t date;
    const char* description;
  };
  const Event events[] = {
      {1, 1001, 8, day(1, 7, 2021), "Moved to Mill Lane"},
      {2, 2001, 7, day(3, 3, 2020), "Moved to Canal Wharf"},
      {5, 5001, 9, day(20, 9, 2022), "Correspondence to a trustee"},
  };
  RowWriter<ZORV1426_REC> table(folder);
  std::int32_t next_number = 1;
  return insert_each(table, events, [&](RowWriter<ZORV1426_REC>& writer, const Event& event) {
    ZORV1426_REC row{};
    row.party_type = event.type;
    row.party_number = event.number;
    row.event_code = event.code;
    row.date = event.date;
    row.event_number = next_number++;
    put_text(row.description, event.description);
    return writer.insert(row);
  });
}

}  // namespace

int write_dates_and_periods(const std::string& folder) {
  int status = write_trades(folder);
  if (status == 0) status = write_periods(folder);
  if (status == 0) status = write_company_data(folder);
  if (status == 0) status = write_events(folder);
  return status;
}

}  // namespace platform::demo
