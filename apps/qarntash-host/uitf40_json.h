// A UITF 40 adjustment described in JSON, as the host program's `uitf40` command reads it.
//
//   {
//     "taxYear": 2008,                      the tax year of the run (optional: --tax-year)
//     "totalAdjustment": 60000,
//     "firstYearOfAdjustment": 2007,        optional: 2006 or 2007 where the trade may choose
//     "profitForThePeriod": 250000,         optional, 0 when not given
//     "periodBeforeStartDate": true,        optional, true when not given
//     "periods": [
//       {"label": "2006-07", "taxYear": 2007, "overridden": false, "overrideAmount": 0,
//        "ctaps": [{"label": "CTAP 1", "taxYear": 2008, "days": 181, "chargeable": true,
//                   "overridden": false, "overrideAmount": 0}]}
//     ]
//   }
//
// Tax years are the years in which they end (2007 is 2006-07). Only a company's periods take
// "ctaps". An unknown key, a value of the wrong type or out of range gives false and an error that
// names the key; the outputs are then unchanged.
#pragma once

#include <string>

#include "platform/uitf40_adjustment.h"

namespace host {

bool read_uitf40_json(const std::string& json_text, bool company,
                      Velmar::BusinessRules::Taxation::BusinessTax::UITF40AdjustmentData& figures, long& tax_year,
                      std::string& error);

}  // namespace host
