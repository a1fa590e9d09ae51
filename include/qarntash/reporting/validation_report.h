// File: qarntash/reporting/validation_report.h
//
// The electronic return validation report: before a return is submitted online, the host
// validates it against HMRC's rules and lists here the entries that would make HMRC reject it, so
// that the user can amend and regenerate the return first.
//
// The report, named "Return Validation", is one 80-position page column:
//
//   Electronic Return Validation Report (MyReturn)
//
//   This Return will be rejected online by HMRC due to the following entries, please amend and
//   regenerate the Return before submitting:
//
//   <heading of the first message>
//   <text of the first message>
//
//   ... and so on for each message, in list order.
//
// The return's name is shown with its space characters removed (tabs and other white space
// stay). The title is printed with attribute 20, each heading with attribute 41.
//
// Failures: when the printer is told not to produce a report (rp_selectoutput gives 0), nothing
// is printed. A null list prints the title and preamble only, as an empty one does.
#pragma once

#include <list>
#include <string>

#include "platform/report_printer.h"
#include "qarntash/export.h"

// One finding of the validation.
struct ReturnValidationMessage {
  std::string text;     // the explanation, printed as a paragraph
  std::string heading;  // the entry it concerns, printed above the explanation
};

QARNTASH_API void DoXmlValidationReport(std::list<ReturnValidationMessage>* messages, std::string returnName,
                                        sess_data* session);
