// File: qarntash/screens/tax_return_options.h
//
// The practice's tax return defaults, kept for all clients as entry type 16 of the practice
// defaults table (zorv2000.ttl): which client identifier is printed top right of a return, a
// default issue date, the agent's phone number, the status new returns start with, after which
// printed returns the employment section is locked against payroll feeds, whether current-year
// figures go on the e-checklist, and whether benefit summaries go into the schedules of data.
//
// CTaxReturnOptions is a value: Load reads the stored entry (or the no-entry defaults: client ID,
// interim, no date or phone, all three locks on, current figures included, no benefit
// summaries), setters change only the object, Save writes it back keeping the stored lock bits
// it does not own. CTaxReturnOptionsUI::doTaxReturnOptionsScreen() edits them on the "Tax Return
// Options" screen: OK saves, Cancel changes nothing.
#pragma once

#include <cstdint>

#include "platform/forms.h"
#include "qarntash/export.h"
#include "qarntash/screens/option_status.h"

// What is printed in the top right corner of a tax return.
enum ReturnID : std::int32_t {
  RETURN_ID_CLIENT_ID = 1,
  RETURN_ID_CLIENT_UTR = 2,
  RETURN_ID_NEITHER = 3,
};

#pragma pack(push, 1)
class QARNTASH_API CTaxReturnOptions {
 public:
  CTaxReturnOptions();
  ~CTaxReturnOptions();
  CTaxReturnOptions(const CTaxReturnOptions&) = default;
  CTaxReturnOptions& operator=(const CTaxReturnOptions& other);

  // Reads entry type 16; true when the practice has one (else the no-entry defaults are set).
  bool Load();
  // Writes all nine values to entry type 16, inserting it when there is none. True when stored.
  bool Save() const;

  ReturnID GetReturnID() const { return m_ReturnID; }
  Status GetReturnStatus() const { return m_ReturnStatus; }
  bool GetDefaultDate() const { return m_DefaultDate; }
  bool GetPrintAPhone() const { return m_PrintAPhone; }
  bool GetElectronicTaxReturnSelection() const { return m_ElectronicTaxReturn; }
  bool GetFinalTaxReturnSelection() const { return m_FinalTaxReturn; }
  bool GetR40Selection() const { return m_R40; }
  bool GetEChecklistCurrentFiguresSelection() const { return m_EChecklistCurrentFigures; }
  bool GetIncludeBenefitSummaries() const { return m_IncludeBenefitSummaries; }

  void SetReturnID(ReturnID id) { m_ReturnID = id; }
  void SetReturnStatus(Status status) { m_ReturnStatus = status; }
  void SetDefaultDate(bool print) { m_DefaultDate = print; }
  void SetPrintAPhone(bool print) { m_PrintAPhone = print; }
  void SetElectronicTaxReturnTick(bool lock) { m_ElectronicTaxReturn = lock; }
  void SetFinalTaxReturnTick(bool lock) { m_FinalTaxReturn = lock; }
  void SetR40TaxReturnTick(bool lock) { m_R40 = lock; }
  void SetEChecklistCurrentFiguresSelection(bool include) { m_EChecklistCurrentFigures = include; }
  void SetIncludeBenefitSummariesTick(bool include) { m_IncludeBenefitSummaries = include; }

 private:
  friend struct TaxReturnOptionsLayout;
  ReturnID m_ReturnID;               // off 0
  Status m_ReturnStatus;             //     4
  bool m_DefaultDate;                //     8
  bool m_PrintAPhone;                //     9
  bool m_ElectronicTaxReturn;        //    10
  bool m_FinalTaxReturn;             //    11
  bool m_R40;                        //    12
  bool m_EChecklistCurrentFigures;   //    13
  bool m_IncludeBenefitSummaries;    //    14
};
#pragma pack(pop)
static_assert(sizeof(CTaxReturnOptions) == 15, "CTaxReturnOptions is 15 bytes");

class QARNTASH_API CTaxReturnOptionsUI : public fp_FORM {
 public:
  // Runs the screen; OK saves the options, Cancel changes nothing.
  static void doTaxReturnOptionsScreen();

  CTaxReturnOptionsUI();
  long form_exit() override;

 private:
  fp_RADIO_GROUP m_ReturnID;
  fp_RADIO_FIELD m_ClientID, m_ClientUTR, m_Neither;
  fp_TICK_FIELD m_DefaultDate, m_PrintAPhone;
  fp_RADIO_GROUP m_Status;
  fp_RADIO_FIELD m_Final, m_Interim, m_Unrecorded;
  fp_TICK_FIELD m_ElectronicTaxReturn, m_FinalTaxReturn, m_R40;
  fp_RADIO_GROUP m_EChecklist;
  fp_RADIO_FIELD m_IncludeForAll, m_ExcludeForAll;
  fp_TICK_FIELD m_BenefitSummaries;
};
