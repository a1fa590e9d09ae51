// Computation options: the value class over entry type 19, and its screen (dialog 106).
#include "qarntash/screens/computation_options.h"

#include <cstddef>
#include <string>

#include "defaults_and_settings_dao.h"
#include "option_codes.h"
#include "platform/session.h"
#include "qarntash/library.h"

// Offsets that the host programs read.
struct ComputationOptionsLayout {
  static_assert(offsetof(CComputationOptions, m_CompStatus) == 1, "status at 1");
  static_assert(offsetof(CComputationOptions, m_EmploymentLock) == 5, "lock at 5");
  static_assert(offsetof(CComputationOptions, m_SuppressAgentDetails) == 7, "agent details at 7");
};

namespace {

constexpr unsigned kComputationOptionsDialog = 106;
constexpr long kDateTimeStampTick = 1054;
constexpr long kStatusGroup = 1055;
constexpr long kFinalRadio = 1058, kInterimRadio = 1057, kUnrecordedRadio = 1056;
constexpr long kEmploymentLockTick = 1123, kEmploymentGroup = 1129;
constexpr long kSuppressPaymentDueDateTick = 1059, kSuppressAgentDetailsTick = 1060;

// The personal tax program sees the employment lock; the business tax program the two ticks
// that keep payment-due-date and agent details off its computations.
constexpr const char* kPersonalTaxProduct = "RUVO";
constexpr const char* kBusinessTaxProduct = "ZORVBTAX";

// Built when the library loads and kept for its life; each screen run points them at its window.
HideableFormSection g_employment_section({kEmploymentLockTick, kEmploymentGroup}, false, {});
HideableFormSection g_print_suppress_section({kSuppressPaymentDueDateTick, kSuppressAgentDetailsTick}, false, {});

}  // namespace

using screens_internal::status_from_code;

CComputationOptions::CComputationOptions()
    : m_DateTimeStamp(false),
      m_CompStatus(STATUS_INTERIM),
      m_EmploymentLock(false),
      m_SuppressPaymentDueDate(false),
      m_SuppressAgentDetails(false) {}

CComputationOptions::~CComputationOptions() = default;

// Out of line, so that hosts keep linking to the exported assignment.
CComputationOptions& CComputationOptions::operator=(const CComputationOptions&) = default;

bool CComputationOptions::Load() {
  CDefaultsAndSettingsDAO dao;
  const bool found = dao.Read(kZorv2000ComputationOptions);
  const screens_internal::PracticeDefaults& values = dao.values();
  m_DateTimeStamp = values.date_time_stamp;
  m_CompStatus = status_from_code(values.computation_status);
  m_EmploymentLock = values.employment_lock;
  m_SuppressPaymentDueDate = values.suppress_payment_due_date;
  m_SuppressAgentDetails = values.suppress_agent_details;
  return found;
}

bool CComputationOptions::Save() const {
  CDefaultsAndSettingsDAO dao;
  screens_internal::PracticeDefaults& values = dao.values();
  values.date_time_stamp = m_DateTimeStamp;
  values.computation_status = m_CompStatus;
  values.employment_lock = m_EmploymentLock;
  values.suppress_payment_due_date = m_SuppressPaymentDueDate;
  values.suppress_agent_details = m_SuppressAgentDetails;
  return dao.Write(kZorv2000ComputationOptions);
}

CComputationOptionsUI::CComputationOptionsUI()
    : fp_FORM(kComputationOptionsDialog, qarntash_instance()),
      m_DateTimeStamp(kDateTimeStampTick, 0),
      m_Status(kStatusGroup),
      m_Final(kFinalRadio, STATUS_FINAL, 0),
      m_Interim(kInterimRadio, STATUS_INTERIM, 0),
      m_Unrecorded(kUnrecordedRadio, STATUS_UNRECORDED, 0),
      m_EmploymentLock(kEmploymentLockTick, 0),
      m_SuppressPaymentDueDate(kSuppressPaymentDueDateTick, 0),
      m_SuppressAgentDetails(kSuppressAgentDetailsTick, 0) {
  confirm_cancel(true);
  open(true);
  g_employment_section.Initialise(window());
  g_print_suppress_section.Initialise(window());

  CComputationOptions options;
  options.Load();
  m_DateTimeStamp.set(options.GetDateTimeStamp());
  m_Status.set(options.GetCompStatus(), true);
  m_EmploymentLock.set(options.GetEmploymentIOPLockStatus());

  char session[kSessionBlockLength] = {};
  GetSessionBlock(session);
  const std::string product = session_product_code(session);
  g_employment_section.OnlyShowIf(product == kPersonalTaxProduct, 0);
  g_print_suppress_section.OnlyShowIf(product == kBusinessTaxProduct, 0);

  m_SuppressPaymentDueDate.set(options.GetSuppressPaymentDueDate());
  m_SuppressAgentDetails.set(options.GetSuppressAgentDetails());
}

CComputationOptionsUI::~CComputationOptionsUI() {
  g_employment_section.Uninitialise();
  g_print_suppress_section.Uninitialise();
}

long CComputationOptionsUI::form_exit() {
  CComputationOptions options;
  options.SetDateTimeStamp(m_DateTimeStamp.get());
  options.SetCompStatus(status_from_code(static_cast<std::int32_t>(m_Status.get())));
  options.SetEmploymentIOPLockStatus(m_EmploymentLock.get());
  options.SetSuppressPaymentDueDate(m_SuppressPaymentDueDate.get());
  options.SetSuppressAgentDetails(m_SuppressAgentDetails.get());
  options.Save();
  return 0;
}

void CComputationOptionsUI::doComputationOptionsScreen() {
  CComputationOptionsUI screen;
  screen.process();
  screen.close();
}
