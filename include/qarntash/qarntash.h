// File: qarntash/qarntash.h
//
// Everything the library exports. A host program may include this one header, or the headers of
// the subsystems it uses.
#pragma once

#include "qarntash/export.h"
#include "qarntash/library.h"
#include "qarntash/reporting/column_factory.h"
#include "qarntash/reporting/printing_column.h"
#include "qarntash/reporting/progress_bar.h"
#include "qarntash/reporting/schema_search.h"
#include "qarntash/reporting/string_table.h"
#include "qarntash/reporting/validation_report.h"
#include "qarntash/screens/asset_group_warning.h"
#include "qarntash/screens/spell_check.h"
#include "qarntash/tax_rules/address_validation.h"
#include "qarntash/tax_rules/car_benefit.h"
#include "qarntash/tax_rules/car_benefit_records.h"
#include "qarntash/tax_rules/conversions.h"
#include "qarntash/tax_rules/reference_numbers.h"
#include "qarntash/tax_rules/tax_year_calendar.h"
#include "qarntash/transfer/dtu.h"
#include "qarntash/transfer/partner_unit.h"
#include "qarntash/transfer/proprietor_sections.h"
#include "qarntash/transfer/proprietor_unit.h"
#include "qarntash/transfer/tax_avoidance.h"
