// File: platform/practice_tables.h
//
// The practice's tables, each described once in the header of its group (platform/practice/):
//   clients.h                        clients, individuals, other parties, yearly entries
//   addresses_and_relationships.h    relationships, addresses, address links
//   dates_and_periods.h              trade dates, accounting periods, company data, dated events
//   jobs.h                           job types, stages, recurrences, stages reached
//   settings.h                       report settings, practice defaults, agents
// with the catalogue and practice-folder administration (catalogue.h), the table classes
// (table_classes.h) and the pattern that library code follows over them (practice_table.h).
//
// Integers are little-endian; dates are day numbers (int32, 0 = none); texts are NUL-padded.
// Tagged tables keep their key fields in the record's first key-buffer-length bytes and their
// data as tagged fields after them (platform/field_tables.h).
#pragma once

#include "platform/practice/catalogue.h"
#include "platform/practice/practice_table.h"
#include "platform/practice/table_classes.h"
