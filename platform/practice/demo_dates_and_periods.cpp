// The demo practice's trade dates, accounting periods, company data and dated events.
#include "demo_practice_parts.h"

#include <utility>

namespace platform::demo {

namespace {

int write_trades(const std::string& folder) {
  struct Trade {
    std::int32_t client;
    const char* description;
    std::int32_t began, ended;
  };
  // 2003 traded and stopped; 2004, a company, began trading a month after it was incorporated.
  const Trade trades[] = {
      {2001, "Joinery and shopfitting", day(1, 5, 2015), 0}, {2002, "Greengrocer", day(6, 4, 2019), 0},
      {2003, "General store", day(1, 6, 2010), day(31, 12, 2022)}, {2004, "Software", day(1, 4, 2017), 0},
      {2006, "Plumbing", day(6, 4, 2018), 0},
  };
  RowWriter<ZORV1201_REC> table(folder);
  return insert_each(table, trades, [](RowWriter<ZORV1201_REC>& writer, const Trade& trade) {
    ZORV1201_REC row{};
    row.client_number = trade.client;
    put_text(row.trade_description, trade.description);
    row.trade_kind = 1;
    row.date_trade_began = trade.began;
    row.date_trade_ended = trade.ended;
    return writer.insert(row);
  });
}

// Accounting periods, each closed by its record of kind 1. The company 2004 ends its years in
// February (one on 29 February 2020) and has a record of another kind (2) inside its 2020-21
// year; 2007, next to 2006, has none of its own.
int write_periods(const std::string& folder) {
  const ZORV1202_REC periods[] = {
      {2001, day(30, 4, 2021), 1, 1},   {2001, day(30, 4, 2022), 1, 2},   {2001, day(30, 4, 2023), 1, 3},
      {2002, day(31, 3, 2022), 1, 4},   {2002, day(31, 3, 2023), 1, 5},   {2003, day(31, 12, 2020), 1, 31},
      {2003, day(31, 12, 2021), 1, 32}, {2003, day(31, 12, 2022), 1, 33}, {2004, day(28, 2, 2018), 1, 41},
      {2004, day(28, 2, 2019), 1, 42},  {2004, day(29, 2, 2020), 1, 43},  {2004, day(31, 8, 2020), 2, 44},
      {2004, day(28, 2, 2021), 1, 45},  {2006, day(5, 4, 2019), 1, 61},   {2006, day(5, 4, 2020), 1, 62},
  };
  RowWriter<ZORV1202_REC> table(folder);
  return insert_each(table, periods, [](RowWriter<ZORV1202_REC>& writer, const ZORV1202_REC& row) {
    return writer.insert(row);
  });
}

int write_company_data(const std::string& folder) {
  const std::pair<std::int32_t, std::int32_t> incorporations[] = {{2002, day(15, 3, 2019)}, {2004, day(1, 3, 2017)}};
  for (const auto& [client, incorporated] : incorporations) {
    ZORV1203_REC company{};
    company.client_number = client;
    company.record_kind = kZorv1203CompanyData;
    ZORV1203_COMPANY_TLD data{};
    data.date_of_incorporation = incorporated;
    if (const int status = insert_tagged_row(folder, company, data, zorv1203_company_tagged_fields()); status != 0) {
      return status;
    }
  }
  return 0;
}

// Address changes: event code 8 for an individual or other party, 7 for a business, 9 for a trust;
// sub-code 23 a change of correspondence address, 1 of main address, 13 of trading address.
// Mary Jones changed both (the correspondence change is the one that counts); Robert Evans's
// main address changed twice.
int write_events(const std::string& folder) {
  struct Event {
    std::uint8_t type;
    std::int32_t number;
    std::int16_t code;
    std::int16_t sub_code;
    std::int32_t date;
    const char* description;
  };
  const Event events[] = {
      {1, 1001, 8, 1, day(1, 7, 2021), "Moved to Mill Lane"},
      {2, 2001, 7, 13, day(3, 3, 2020), "Moved to Canal Wharf"},
      {5, 5001, 9, 1, day(20, 9, 2022), "Correspondence to a trustee"},
      {1, 1002, 8, 1, day(10, 1, 2019), "Moved to Queen Street"},
      {1, 1002, 8, 23, day(2, 2, 2022), "Letters to the Cardiff flat"},
      {1, 1004, 8, 1, day(15, 5, 2001), "Moved to Ludlow"},
      {1, 1004, 8, 1, day(30, 8, 2015), "Moved to Rose Cottage"},
      {75, 7502, 8, 1, day(4, 4, 2017), "Moved to Castle Street"},
  };
  RowWriter<ZORV1426_REC> table(folder);
  std::int32_t next_number = 1;
  return insert_each(table, events, [&](RowWriter<ZORV1426_REC>& writer, const Event& event) {
    ZORV1426_REC row{};
    row.party_type = event.type;
    row.party_number = event.number;
    row.event_code = event.code;
    row.sub_code = event.sub_code;
    row.date = event.date;
    row.event_number = next_number++;
    put_text(row.description, event.description);
    return writer.insert(row);
  });
}

}  // namespace

int write_dates_and_periods(const std::string& folder) {
  return write_in_turn(folder, {write_trades, write_periods, write_company_data, write_events});
}

}  // namespace platform::demo
