// File: platform/practice/catalogue.h
//
// The catalogue of the practice's tables: every table file the suite opens, made from the
// entries of the record types (table_entry.h), and the administration of a practice data folder.
// A set-up program (or a test) makes a practice folder from it; the table classes open a record
// type's table by its entry.
//
// Usage (a set-up program or a test):
//   platform::create_practice_data_folder("/srv/practice");           // every table, empty
//   zorv1005_rec client{};  std::strcpy(client.client_id, "AB12");
//   client.client_type = 1; client.client_number = 1001;
//   platform::insert_table_record("/srv/practice", "ZORV1005.TTL", &client, sizeof client);
#pragma once

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/export.h"
#include "platform/practice/addresses_and_relationships.h"
#include "platform/practice/clients.h"
#include "platform/practice/dates_and_periods.h"
#include "platform/practice/jobs.h"
#include "platform/practice/settings.h"
#include "platform/record_store.h"

namespace platform {

// Every record type of the catalogue, one per table, in the order of the suite's file numbers.
using PracticeRecordTypes =
    std::tuple<zorv1005_rec, ZORV1008_REC, ZORV1009_REC, ZORV1012_REC, ZORV1101_REC, ZORV1201_REC, ZORV1202_REC,
               ZORV1203_REC, ZORV1370_REC, ZORV1371_REC, ZORV1410_REC, ZORV1411_REC, ZORV1426_REC, ZORV1431_REC,
               ZORV1445_REC, ZORV1446_REC, ZORV2000_REC, ZORV2006_REC, ZORV3000_REC, ZORV7000_REC>;

// Every practice table, in the order of PracticeRecordTypes.
PLATFORM_API const std::vector<TableDefinition>& practice_tables();

// The catalogue entry of `file_name` (matched case-insensitively), or null.
PLATFORM_API const TableDefinition* find_practice_table(const std::string& file_name);

// Makes one practice table file in `data_path` from its catalogue entry: 0, 11 for a name the
// catalogue lacks, or create_table_file's status.
PLATFORM_API int create_practice_table(const std::string& data_path, const std::string& file_name);

// Makes the folder (and its parents) and every practice table file that it lacks. 0, or the
// first failure's status (2 when the folder cannot be made).
PLATFORM_API int create_practice_data_folder(const std::string& data_path);

// Copies a practice between data paths (a folder and a server, either way): every practice table
// that `from` holds, then checks that each copy holds the same records in the same order by every
// key. `to` must hold no practice table yet (59). `progress` (may be null) is called after each
// table with its file name, the tables done and the tables to do. 0, or the first failure's
// status with `problem` naming the table and what failed.
PLATFORM_API int copy_practice(const std::string& from, const std::string& to,
                               const std::function<void(const std::string&, int, int)>& progress,
                               std::string* problem);

}  // namespace platform
