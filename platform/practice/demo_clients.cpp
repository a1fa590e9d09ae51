// The demo practice's clients, the individuals and other parties behind them, and their yearly
// entries.
#include <algorithm>

#include "demo_practice_parts.h"

namespace platform::demo {

namespace {

constexpr std::int32_t kActsForClient = 2;      // status flag: the practice acts for the client
constexpr std::int32_t kNotCounted = 2;         // second flag: left out of the usage counts

int write_client_rows(const std::string& folder) {
  RowWriter<zorv1005_rec> clients(folder);
  for (const DemoClient* client = demo_practice_clients(); client->client_id != nullptr; ++client) {
    zorv1005_rec row{};
    put_text(row.client_id, client->client_id);
    row.client_type = client->client_type;
    row.client_number = client->client_number;
    // Robert Evans has died and the practice no longer acts; Anita Patel is a client the
    // practice does not count in its package usage.
    row.status_flags = client->client_number == 1004 ? 0 : kActsForClient;
    row.second_flags = client->client_number == 1003 ? kNotCounted : 0;
    row.branch = client->branch;
    if (const int status = clients.insert(row); status != 0) return status;
  }
  return 0;
}

int write_individuals(const std::string& folder) {
  struct Individual {
    std::int32_t number;
    const char* title;
    const char* forenames;
    const char* surname;
    std::int32_t date_of_birth;
    char gender;
    const char* ni_number;
    const char* utr;
    std::int32_t date_of_death;
  };
  const Individual individuals[] = {
      {1001, "Mr", "John", "Smith", day(14, 3, 1968), 'M', "AB123456C", "2325648152", 0},
      {1002, "Mrs", "Mary", "Jones", day(2, 11, 1975), 'F', "CE765432A", "", 0},
      {1003, "Ms", "Anita", "Patel", day(30, 6, 1982), 'F', "JK246810B", "", 0},
      {1004, "Mr", "Robert", "Evans", day(5, 4, 1940), 'M', "PR135790D", "", day(14, 1, 2023)},
  };
  RowWriter<ZORV1101_REC> table(folder);
  return insert_each(table, individuals, [](RowWriter<ZORV1101_REC>& writer, const Individual& person) {
    ZORV1101_REC row{};
    row.individual_number = person.number;
    put_text(row.title, person.title);
    put_text(row.forenames, person.forenames);
    put_text(row.surname, person.surname);
    row.date_of_birth = person.date_of_birth;
    row.gender = person.gender;
    std::memcpy(row.ni_number, person.ni_number, std::min(sizeof row.ni_number, std::strlen(person.ni_number)));
    put_text(row.utr, person.utr);
    row.date_of_death = person.date_of_death;
    return writer.insert(row);
  });
}

int write_other_parties(const std::string& folder) {
  RowWriter<ZORV1012_REC> parties(folder);
  for (const DemoClient* client = demo_practice_clients(); client->client_id != nullptr; ++client) {
    if (client->client_type != 75) continue;
    ZORV1012_REC row{};
    put_text(row.code, client->client_id);
    row.party_number = client->client_number;
    put_text(row.name, client->name);
    row.date_created = day(1, 9, 2018);
    if (const int status = parties.insert(row); status != 0) return status;
  }
  return 0;
}

// Further years: John Smith and Anita Patel have 2024 entries too (each counts once in 2023),
// Mary Jones a 2021 one; the Hart Family Trust has two 2023 entries; non-resident entries under
// several sub-numbers.
int write_further_years(const std::string& folder) {
  RowWriter<ZORV2006_REC> client_years(folder);
  for (const ZORV2006_REC& row : {ZORV2006_REC{1001, 2024, 0}, ZORV2006_REC{1003, 2024, 0}, ZORV2006_REC{1002, 2021, 0}}) {
    if (const int status = client_years.insert(row); status != 0) return status;
  }
  ZORV1370_REC trust{};
  trust.number = 5001;
  trust.year = 2023;
  trust.part = 2;
  if (const int status = RowWriter<ZORV1370_REC>(folder).insert(trust); status != 0) return status;
  RowWriter<ZORV7000_REC> non_residents(folder);
  const std::int32_t entries[][3] = {{1002, 2, 2023}, {1002, 3, 2022}, {1001, 1, 2022}, {1001, 2, 2024}, {1003, 1, 2023}};
  for (const auto& entry : entries) {
    ZORV7000_REC row{};
    row.number = entry[0];
    row.sub_number = entry[1];
    row.year = entry[2];
    if (const int status = non_residents.insert(row); status != 0) return status;
  }
  return 0;
}

// Tax years 2022 and 2023 for each individual and trust; the 2023 non-resident entry of one.
int write_yearly_entries(const std::string& folder) {
  RowWriter<ZORV2006_REC> client_years(folder);
  RowWriter<ZORV1370_REC> trust_years(folder);
  for (const DemoClient* client = demo_practice_clients(); client->client_id != nullptr; ++client) {
    for (std::int32_t year = 2022; year <= 2023; ++year) {
      int status = 0;
      if (client->client_type == 1) {
        ZORV2006_REC row{};
        row.client_number = client->client_number;
        row.year = year;
        status = client_years.insert(row);
      } else if (client->client_type == 5) {
        ZORV1370_REC row{};
        row.number = client->client_number;
        row.year = year;
        status = trust_years.insert(row);
      }
      if (status != 0) return status;
    }
  }
  ZORV7000_REC non_resident{};
  non_resident.number = 1002;
  non_resident.year = 2023;
  return RowWriter<ZORV7000_REC>(folder).insert(non_resident);
}

}  // namespace

int write_clients(const std::string& folder) {
  return write_in_turn(folder, {write_client_rows, write_individuals, write_other_parties, write_yearly_entries,
                                write_further_years});
}

}  // namespace platform::demo
