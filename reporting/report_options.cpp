// Report options: the defaults of one report, and the "Report Options" screen (dialog 107)
// arranged for the report's type.
#include "qarntash/reporting/report_options.h"

#include <initializer_list>

#include "qarntash/library.h"
#include "qarntash/screens/computation_options.h"
#include "qarntash/screens/tax_return_options.h"

namespace {

constexpr unsigned kReportOptionsDialog = 107;
constexpr long kStatusGroup = 1059, kFinalRadio = 1061, kInterimRadio = 1062, kUnrecordedRadio = 1060;
constexpr long kBlankGroup = 1069, kPrintBlankTick = 1063;
constexpr long kSectionsGroup = 1065, kPaymentOnAccountTick = 1064, kAllocationTick = 1071;
constexpr long kStageGroup = 1066, kStageLabel = 1068, kStageField = 1067;
constexpr long kOkButton = 1, kCancelButton = 2;
constexpr unsigned short kStageFieldLength = 30;

bool has_stage(ReportType type) {
  return type == REPORT_COMPUTATION_WITH_SECTIONS || type == REPORT_TAX_RETURN_WITH_STAGE;
}

}  // namespace

CReportOptions::CReportOptions(ReportType type) : CReportOptions(type, false) {}

CReportOptions::CReportOptions(ReportType type, bool isStageComplete)
    : m_ReportType(type),
      m_ReportStatus(STATUS_INTERIM),
      m_PrintBlank(false),
      m_PaymentOnAccount(true),
      m_AllocationOfAllowances(true),
      m_OptionsDataUsed(true),
      m_GreyAdminOptions(false),
      m_IsStageComplete(isStageComplete) {
  SetUpData();
}

CReportOptions::~CReportOptions() = default;

void CReportOptions::SetUpData() {
  switch (m_ReportType) {
    case REPORT_COMPUTATION:
    case REPORT_COMPUTATION_WITH_SECTIONS: {
      CComputationOptions practice;
      practice.Load();
      m_ReportStatus = practice.GetCompStatus();
      break;
    }
    case REPORT_TAX_RETURN:
    case REPORT_TAX_RETURN_WITH_BLANK:
    case REPORT_TAX_RETURN_WITH_STAGE:
    case REPORT_TAX_RETURN_STATUS_ONLY: {
      CTaxReturnOptions practice;
      practice.Load();
      m_ReportStatus = practice.GetReturnStatus();
      break;
    }
    default:
      break;
  }
  if (has_stage(m_ReportType)) m_StageOfComp = m_IsStageComplete ? "Complete" : "Incomplete";
  m_PrintBlank = false;
  m_PaymentOnAccount = true;
  m_AllocationOfAllowances = true;
}

CReportOptionsUI::CReportOptionsUI(CReportOptions& options)
    : fp_FORM(kReportOptionsDialog, qarntash_instance()),
      m_Options(&options),
      m_Status(kStatusGroup),
      m_Final(kFinalRadio, STATUS_FINAL, 0),
      m_Interim(kInterimRadio, STATUS_INTERIM, 0),
      m_Unrecorded(kUnrecordedRadio, STATUS_UNRECORDED, 0),
      m_PrintBlank(kPrintBlankTick, 0),
      m_PaymentOnAccount(kPaymentOnAccountTick, 0),
      m_Allocation(kAllocationTick, 0),
      m_StageOfComp(kStageField, kStageFieldLength, 0, 0),
      m_Ok(kOkButton, 0),
      m_Cancel(kCancelButton, 0) {
  open(true);
  arrange();
}

void CReportOptionsUI::arrange() {
  const ReportType type = m_Options->GetReportType();
  // Greyed buttons still show the current status, so OK keeps it.
  m_Status.set(m_Options->GetReportStatus(), true);
  if (m_Options->GetGreyAdminOptions()) {
    m_Final.disable(true);
    m_Interim.disable(true);
    m_Unrecorded.disable(true);
  }
  m_PrintBlank.set(false);

  auto hide = [this](std::initializer_list<long> ids) {
    for (long id : ids) show_control(id, false);
  };
  auto shorten_dialog = [this](int by) {
    int width = 0, height = 0;
    dialog_size(width, height);
    set_dialog_size(width, height - by);
  };
  auto move_up = [this](std::initializer_list<long> ids, int by) {
    for (long id : ids) move_control(id, 0, -by);
  };

  switch (type) {
    case REPORT_COMPUTATION:
    case REPORT_TAX_RETURN:
    case REPORT_TAX_RETURN_WITH_BLANK:
    case REPORT_TAX_RETURN_STATUS_ONLY: {
      hide({kSectionsGroup, kPaymentOnAccountTick, kAllocationTick, kStageGroup, kStageLabel, kStageField});
      const int stage_bottom = control_rect(kStageGroup).bottom();
      int d = stage_bottom - control_rect(kBlankGroup).bottom();
      if (type != REPORT_TAX_RETURN_WITH_BLANK) {
        d = stage_bottom - control_rect(kBlankGroup).y;
        hide({kBlankGroup, kPrintBlankTick});
      }
      shorten_dialog(d);
      move_up({kOkButton, kCancelButton}, d);
      return;
    }
    case REPORT_TAX_RETURN_WITH_STAGE:
    case REPORT_COMPUTATION_WITH_SECTIONS:
      break;
    default:
      return;  // a type this screen does not know: shown as the template has it
  }

  int e = 0;
  if (type == REPORT_TAX_RETURN_WITH_STAGE) {
    hide({kSectionsGroup, kPaymentOnAccountTick, kAllocationTick});
    e = control_rect(kStageGroup).bottom() - control_rect(kSectionsGroup).bottom();
  } else {
    const int d = control_rect(kSectionsGroup).y - control_rect(kBlankGroup).y;
    hide({kBlankGroup, kPrintBlankTick});
    move_up({kSectionsGroup, kPaymentOnAccountTick, kAllocationTick}, d);
    m_PaymentOnAccount.set(true);
    m_Allocation.set(true);
    // The stage group follows the sections group up, keeping the space between them.
    e = d;
    if (!m_Options->GetAllocationOfAllowances()) {
      // Hidden and clear, so that OK keeps allocation off.
      const int tick_height = control_rect(kAllocationTick).height;
      show_control(kAllocationTick, false);
      m_Allocation.set(false);
      resize_control(kSectionsGroup, 0, -tick_height);
      e += tick_height;
    }
  }
  shorten_dialog(e);
  move_up({kStageGroup, kStageLabel, kStageField, kOkButton, kCancelButton}, e);
  m_StageOfComp.set(m_Options->GetStageOfComp().c_str());
  m_StageOfComp.set_flag_display_only(true);
}

// Always accepts. Ticks that were hidden are read too, as the host programs expect.
long CReportOptionsUI::form_exit() {
  const unsigned long status = m_Status.get();
  if (status == STATUS_FINAL || status == STATUS_INTERIM || status == STATUS_UNRECORDED) {
    m_Options->SetReportStatus(static_cast<Status>(status));
  }
  m_Options->SetPrintBlank(m_PrintBlank.get());
  m_Options->SetPayOnAccount(m_PaymentOnAccount.get());
  m_Options->SetAllocationOfAllowances(m_Allocation.get());
  return 0;
}

bool CReportOptionsUI::doReportOptionsScreen(CReportOptions& options) {
  CReportOptionsUI screen(options);
  const bool confirmed = screen.process();
  screen.close();
  return confirmed;
}
