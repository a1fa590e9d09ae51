// The employment page of one company car as a one-page PDF (A4), laid out like the text page: the
// working's descriptions on the left, each with the rule or figure that gave it in small type
// beneath, and the amounts flush right in a money column, as the report prints them ("£1,234.00",
// "(£250.00)" for a deduction, "nil").
//
//   std::string error;
//   if (!host::write_car_benefit_pdf(page, "car.pdf", error)) { report error }
#pragma once

#include <string>

#include "employment_page.h"

namespace host {

// Writes the page to `path` (replacing a file there). False, with `error` saying why, when the PDF
// cannot be made or written; a PDF that cannot be made writes nothing.
bool write_car_benefit_pdf(const CarBenefitPage& page, const std::string& path, std::string& error);

}  // namespace host
