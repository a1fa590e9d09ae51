// File: qarntash/practice_data/usage_counts.h
//
// How many clients the practice used each package for in a year: personal tax (individual
// clients with a client-year entry for the year, whom the practice acts for and does not leave
// out of the counts), trust tax (trusts with a trust entry for the year) and non-resident
// (parties with a non-resident entry for the year). Each client counts once, however many
// entries it has. The year is the tax year of the entries; the default is the year in which the
// current 1 April to 31 March year began (on 1 April 2024 it is 2024, on 31 March 2024 2023).
//
// Each call reads the configured data path, opens its tables, walks them and closes them. A
// table that cannot be opened or read counts what was read before (the failure is reported on
// the platform's report channel): 0 for a practice without the table.
//
// Usage:
//   int individuals = GetPersonalTaxPackageUsageForYear(2024);
#pragma once

#include "qarntash/export.h"

extern "C" {
QARNTASH_API int GetPersonalTaxPackageUsageForYear(int year);
QARNTASH_API int GetTrustTaxPackageUsageForYear(int year);
QARNTASH_API int GetNonResidentPackageUsageForYear(int year);
QARNTASH_API int GetPersonalTaxPackageUsage();
QARNTASH_API int GetTrustTaxPackageUsage();
QARNTASH_API int GetNonResidentPackageUsage();
}
