// Tax return options: the value class over entry type 16, and its screen (dialog 101).
#include "qarntash/screens/tax_return_options.h"

#include <cstddef>

#include "defaults_and_settings_dao.h"
#include "option_codes.h"
#include "qarntash/library.h"

// Offsets that the host programs read.
struct TaxReturnOptionsLayout {
  static_assert(offsetof(CTaxReturnOptions, m_ReturnStatus) == 4, "status at 4");
  static_assert(offsetof(CTaxReturnOptions, m_DefaultDate) == 8, "default date at 8");
  static_assert(offsetof(CTaxReturnOptions, m_R40) == 12, "R40 lock at 12");
  static_assert(offsetof(CTaxReturnOptions, m_IncludeBenefitSummaries) == 14, "benefit summaries at 14");
};

namespace {

constexpr unsigned kTaxReturnOptionsDialog = 101;
constexpr long kReturnIDGroup = 1001, kClientIDRadio = 1003, kClientUTRRadio = 1004, kNeitherRadio = 1005;
constexpr long kDefaultDateTick = 1006, kPrintAPhoneTick = 1007;
constexpr long kStatusGroup = 1053, kFinalRadio = 1052, kInterimRadio = 1051, kUnrecordedRadio = 1050;
constexpr long kElectronicLockTick = 1122, kFinalLockTick = 1123, kR40LockTick = 1124;
constexpr long kEChecklistGroup = 1127, kIncludeForAllRadio = 1125, kExcludeForAllRadio = 1126;
constexpr long kBenefitSummariesTick = 1128;

}  // namespace

using screens_internal::return_id_from_code;
using screens_internal::status_from_code;

// The locks and the benefit summaries start from the no-entry values, as Load would set them.
CTaxReturnOptions::CTaxReturnOptions()
    : m_ReturnID(RETURN_ID_CLIENT_ID),
      m_ReturnStatus(STATUS_INTERIM),
      m_DefaultDate(false),
      m_PrintAPhone(false),
      m_ElectronicTaxReturn(true),
      m_FinalTaxReturn(true),
      m_R40(true),
      m_EChecklistCurrentFigures(true),
      m_IncludeBenefitSummaries(false) {}

CTaxReturnOptions::~CTaxReturnOptions() = default;

// Out of line, so that hosts keep linking to the exported assignment.
CTaxReturnOptions& CTaxReturnOptions::operator=(const CTaxReturnOptions&) = default;

bool CTaxReturnOptions::Load() {
  CDefaultsAndSettingsDAO dao;
  const bool found = dao.Read(kZorv2000TaxReturnOptions);
  const screens_internal::PracticeDefaults& values = dao.values();
  m_ReturnID = return_id_from_code(values.return_identifier);
  m_ReturnStatus = status_from_code(values.return_status);
  m_DefaultDate = values.default_date;
  m_PrintAPhone = values.print_phone;
  m_ElectronicTaxReturn = values.electronic_return_lock;
  m_FinalTaxReturn = values.final_return_lock;
  m_R40 = values.r40_lock;
  m_EChecklistCurrentFigures = values.echecklist_current;
  m_IncludeBenefitSummaries = values.include_benefit_summaries;
  return found;
}

bool CTaxReturnOptions::Save() const {
  CDefaultsAndSettingsDAO dao;
  screens_internal::PracticeDefaults& values = dao.values();
  values.return_identifier = m_ReturnID;
  values.return_status = m_ReturnStatus;
  values.default_date = m_DefaultDate;
  values.print_phone = m_PrintAPhone;
  values.electronic_return_lock = m_ElectronicTaxReturn;
  values.final_return_lock = m_FinalTaxReturn;
  values.r40_lock = m_R40;
  values.echecklist_current = m_EChecklistCurrentFigures;
  values.include_benefit_summaries = m_IncludeBenefitSummaries;
  return dao.Write(kZorv2000TaxReturnOptions);
}

CTaxReturnOptionsUI::CTaxReturnOptionsUI()
    : fp_FORM(kTaxReturnOptionsDialog, qarntash_instance()),
      m_ReturnID(kReturnIDGroup),
      m_ClientID(kClientIDRadio, RETURN_ID_CLIENT_ID, 0),
      m_ClientUTR(kClientUTRRadio, RETURN_ID_CLIENT_UTR, 0),
      m_Neither(kNeitherRadio, RETURN_ID_NEITHER, 0),
      m_DefaultDate(kDefaultDateTick, 0),
      m_PrintAPhone(kPrintAPhoneTick, 0),
      m_Status(kStatusGroup),
      m_Final(kFinalRadio, STATUS_FINAL, 0),
      m_Interim(kInterimRadio, STATUS_INTERIM, 0),
      m_Unrecorded(kUnrecordedRadio, STATUS_UNRECORDED, 0),
      m_ElectronicTaxReturn(kElectronicLockTick, 0),
      m_FinalTaxReturn(kFinalLockTick, 0),
      m_R40(kR40LockTick, 0),
      m_EChecklist(kEChecklistGroup),
      m_IncludeForAll(kIncludeForAllRadio, 1, 0),
      m_ExcludeForAll(kExcludeForAllRadio, 0, 0),
      m_BenefitSummaries(kBenefitSummariesTick, 0) {
  confirm_cancel(true);
  open(true);
  CTaxReturnOptions options;
  options.Load();
  m_ReturnID.set(options.GetReturnID(), true);
  m_DefaultDate.set(options.GetDefaultDate());
  m_PrintAPhone.set(options.GetPrintAPhone());
  m_Status.set(options.GetReturnStatus(), true);
  m_ElectronicTaxReturn.set(options.GetElectronicTaxReturnSelection());
  m_FinalTaxReturn.set(options.GetFinalTaxReturnSelection());
  m_R40.set(options.GetR40Selection());
  m_EChecklist.set(options.GetEChecklistCurrentFiguresSelection() ? 1 : 0, true);
  m_BenefitSummaries.set(options.GetIncludeBenefitSummaries());
}

long CTaxReturnOptionsUI::form_exit() {
  CTaxReturnOptions options;
  options.SetReturnID(return_id_from_code(static_cast<std::int32_t>(m_ReturnID.get())));
  options.SetDefaultDate(m_DefaultDate.get());
  options.SetPrintAPhone(m_PrintAPhone.get());
  options.SetReturnStatus(status_from_code(static_cast<std::int32_t>(m_Status.get())));
  options.SetElectronicTaxReturnTick(m_ElectronicTaxReturn.get());
  options.SetFinalTaxReturnTick(m_FinalTaxReturn.get());
  options.SetR40TaxReturnTick(m_R40.get());
  options.SetEChecklistCurrentFiguresSelection(m_EChecklist.get() != 0);
  options.SetIncludeBenefitSummariesTick(m_BenefitSummaries.get());
  options.Save();
  return 0;
}

void CTaxReturnOptionsUI::doTaxReturnOptionsScreen() {
  CTaxReturnOptionsUI screen;
  screen.process();
  screen.close();
}
