// File: qarntash/reporting/string_table.h
//
// The library's user messages by number, from the string table of its own resources, cached for
// the life of the process. The cache is made once, safely against concurrent first calls, and
// later calls may come from any thread.
//
//   cLBW_STRING text = CStringTableVori::GetString(102);   // "Client status for "
#pragma once

#include "platform/lbw_string.h"
#include "qarntash/export.h"

class QARNTASH_API CStringTableVori {
 public:
  // The text of string `id` (at most 255 characters); "" when the table has no such string.
  static cLBW_STRING GetString(unsigned id);

 private:
  CStringTableVori() = default;
};
