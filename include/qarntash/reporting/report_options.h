// File: qarntash/reporting/report_options.h
//
// The options of one report, asked before a tax return or computation is printed: the
// administration status to print, a blank return, the optional sections and, for the reports
// that have one, the client's stage of completion. The status starts from the practice's
// default: the computation options for reports of types 1 and 4, the tax return options for the
// others.
//
// CReportOptionsUI::doReportOptionsScreen shows the "Report Options" screen arranged for the
// report's type (groups it does not need hidden, the rest moved up, the dialog made shorter).
//
// Usage:
//   CReportOptions options(REPORT_COMPUTATION_WITH_SECTIONS, true);   // "Complete"
//   if (CReportOptionsUI::doReportOptionsScreen(options)) print(options.GetReportStatus(), ...);
#pragma once

#include <cstdint>

#include "platform/forms.h"
#include "platform/lbw_string.h"
#include "qarntash/export.h"
#include "qarntash/screens/option_status.h"

// The kinds of report, by what their screen shows.
enum ReportType : std::int32_t {
  REPORT_COMPUTATION = 1,                // status only; computation default
  REPORT_TAX_RETURN = 2,                 // status only; tax return default
  REPORT_TAX_RETURN_WITH_BLANK = 3,      // status and blank return
  REPORT_COMPUTATION_WITH_SECTIONS = 4,  // status, sections and stage of completion
  REPORT_TAX_RETURN_WITH_STAGE = 5,      // status, blank return and stage of completion
  REPORT_TAX_RETURN_STATUS_ONLY = 6,     // status only; tax return default
};

class QARNTASH_API CReportOptions {
 public:
  // The stage of completion starts unknown (false: "Incomplete" for types 4 and 5).
  explicit CReportOptions(ReportType type);
  CReportOptions(ReportType type, bool isStageComplete);
  CReportOptions(const CReportOptions&) = default;
  CReportOptions& operator=(const CReportOptions&) = default;
  virtual ~CReportOptions();

  // Takes the status again from the practice's options and resets the other choices.
  void SetUpData();

  ReportType GetReportType() const { return m_ReportType; }
  Status GetReportStatus() const { return m_ReportStatus; }
  void SetReportStatus(Status status) { m_ReportStatus = status; }
  bool GetPrintBlank() const { return m_PrintBlank; }
  void SetPrintBlank(bool print) { m_PrintBlank = print; }
  bool GetPaymentOnAcount() const { return m_PaymentOnAccount; }
  void SetPayOnAccount(bool include) { m_PaymentOnAccount = include; }
  bool GetAllocationOfAllowances() const { return m_AllocationOfAllowances; }
  void SetAllocationOfAllowances(bool include) { m_AllocationOfAllowances = include; }
  cLBW_STRING GetStageOfComp() const { return m_StageOfComp; }
  void SetStageOfComp(cLBW_STRING stage) { m_StageOfComp = stage; }
  bool GetOptionsDataUsed() const { return m_OptionsDataUsed; }
  void SetOptionsDataUsed(bool used) { m_OptionsDataUsed = used; }
  bool GetGreyAdminOptions() const { return m_GreyAdminOptions; }
  void SetGreyAdminOptions(bool grey) { m_GreyAdminOptions = grey; }
  bool GetIsStageComplete() const { return m_IsStageComplete; }

 private:
  ReportType m_ReportType;
  Status m_ReportStatus;
  bool m_PrintBlank;
  bool m_PaymentOnAccount;
  bool m_AllocationOfAllowances;
  cLBW_STRING m_StageOfComp;
  bool m_OptionsDataUsed;
  bool m_GreyAdminOptions;
  bool m_IsStageComplete;
};

class QARNTASH_API CReportOptionsUI : public fp_FORM {
 public:
  // Shows the screen over `options`. True when the user confirmed (the options hold the
  // choices); false on Cancel (the options are unchanged).
  static bool doReportOptionsScreen(CReportOptions& options);

  explicit CReportOptionsUI(CReportOptions& options);
  long form_exit() override;

 private:
  void arrange();

  CReportOptions* m_Options;
  fp_RADIO_GROUP m_Status;
  fp_RADIO_FIELD m_Final, m_Interim, m_Unrecorded;
  fp_TICK_FIELD m_PrintBlank, m_PaymentOnAccount, m_Allocation;
  fp_STRING_FIELD m_StageOfComp;
  fp_BUTTON_FIELD m_Ok, m_Cancel;
};
