// File: qarntash/screens/computation_options.h
//
// The practice's computation defaults, kept for all clients as entry type 19 of the practice
// defaults table (zorv2000.ttl): the status new computations start with, a date and time stamp on
// printed computations, the lock of the employment section against payroll feeds after a final
// computation is printed, and the suppression of payment-due-date and agent details.
//
// CComputationOptions is a value: Load reads the stored entry (or the practice's no-entry
// defaults: interim, no stamp, employment locked, nothing suppressed), setters change only the
// object, Save writes it back, keeping every stored bit and field it does not own.
//
// CComputationOptionsUI::doComputationOptionsScreen() shows the "Computation Options" screen: the
// employment lock only to the personal tax program (session product "RUVO"), the two suppress
// ticks only to the business tax program ("ZORVBTAX"); OK saves, Cancel changes nothing.
//
// Usage:
//   CComputationOptions options;
//   options.Load();
//   options.SetDateTimeStamp(true);
//   if (!options.Save()) ... // the practice defaults table could not be written
#pragma once

#include <cstdint>

#include "platform/forms.h"
#include "qarntash/export.h"
#include "qarntash/screens/option_status.h"

#pragma pack(push, 1)
class QARNTASH_API CComputationOptions {
 public:
  CComputationOptions();
  ~CComputationOptions();
  CComputationOptions(const CComputationOptions&) = default;
  CComputationOptions& operator=(const CComputationOptions& other);

  // Reads entry type 19; true when the practice has one (else the no-entry defaults are set).
  bool Load();
  // Writes all five values to entry type 19, inserting it when there is none. True when stored.
  bool Save() const;

  Status GetCompStatus() const { return m_CompStatus; }
  bool GetDateTimeStamp() const { return m_DateTimeStamp; }
  bool GetEmploymentIOPLockStatus() const { return m_EmploymentLock; }
  bool GetSuppressAgentDetails() const { return m_SuppressAgentDetails; }
  bool GetSuppressPaymentDueDate() const { return m_SuppressPaymentDueDate; }

  void SetCompStatus(Status status) { m_CompStatus = status; }
  void SetDateTimeStamp(bool stamp) { m_DateTimeStamp = stamp; }
  void SetEmploymentIOPLockStatus(bool locked) { m_EmploymentLock = locked; }
  void SetSuppressAgentDetails(bool suppress) { m_SuppressAgentDetails = suppress; }
  void SetSuppressPaymentDueDate(bool suppress) { m_SuppressPaymentDueDate = suppress; }

 private:
  friend struct ComputationOptionsLayout;
  bool m_DateTimeStamp;           // off 0
  Status m_CompStatus;            //     1
  bool m_EmploymentLock;          //     5
  bool m_SuppressPaymentDueDate;  //     6
  bool m_SuppressAgentDetails;    //     7
};
#pragma pack(pop)
static_assert(sizeof(CComputationOptions) == 8, "CComputationOptions is 8 bytes");

class QARNTASH_API CComputationOptionsUI : public fp_FORM {
 public:
  // Runs the screen; OK saves the options, Cancel changes nothing.
  static void doComputationOptionsScreen();

  CComputationOptionsUI();
  ~CComputationOptionsUI() override;
  long form_exit() override;

 private:
  fp_TICK_FIELD m_DateTimeStamp;
  fp_RADIO_GROUP m_Status;
  fp_RADIO_FIELD m_Final, m_Interim, m_Unrecorded;
  fp_TICK_FIELD m_EmploymentLock, m_SuppressPaymentDueDate, m_SuppressAgentDetails;
};
