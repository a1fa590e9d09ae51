// The UITF 40 screen (dialog 104): one row per period of the adjustment, at most eight.
#include <algorithm>

#include "platform/rounding.h"
#include "qarntash/library.h"
#include "qarntash/screens/uitf40_adjustment_ui.h"
#include "uitf40_messages.h"

using namespace uitf40_screens;
using Velmar::BusinessRules::Taxation::BusinessTax::CUITF40AdjustmentAccountPeriod;
using Velmar::BusinessRules::Taxation::BusinessTax::CUITF40AdjustmentCTax;
using Velmar::BusinessRules::Taxation::BusinessTax::CUITF40AdjustmentPeriod;

namespace {

constexpr unsigned kDialog = 104;
constexpr unsigned long kFieldFlags = 0x800;
constexpr unsigned long kAmountFlags = 0x8800;   // the total adjustment and the amounts taxed
constexpr unsigned short kMoneyWidth = 14;
constexpr unsigned char kPence = 2;
constexpr unsigned short kRowLabelLength = 20;

// Rows 1 to 7 have a default, a tick and an excess; row 8 has only its label and amount taxed.
constexpr int kRows = 8;
constexpr int kRowsWithTicks = 7;

// The controls of each row of the dialog (0: the row has none).
struct RowControls {
  long label, default_amount, tick, amount_taxed, excess, ctaps_button;
};
constexpr RowControls kRowControls[kRows] = {
    {1043, 1012, 1016, 1014, 1015, 1073}, {1044, 1017, 1021, 1019, 1020, 1074},
    {1045, 1022, 1026, 1024, 1025, 1075}, {1046, 1027, 1031, 1029, 1030, 1076},
    {1047, 1032, 1036, 1034, 1035, 1077}, {1048, 1086, 1087, 1039, 1083, 1078},
    {1085, 1080, 1081, 1082, 1089, 1084}, {1091, 0, 0, 1088, 0, 1090},
};

constexpr long kFirstYear2006 = 1009, kFirstYear2007 = 1010;
constexpr long kTotalAdjustment = 1011;

// The first-year radios give the tax year in which the spread starts.
constexpr long kEarlyFirstYear = 2006, kUsualFirstYear = 2007;

constexpr const char* kTooManyPeriods =
    "The company's changes of account period end date make it unsuitable for the UITF40 screen.  "
    "Please make any adjustments required using the Posting option.";

std::vector<std::unique_ptr<fp_BUTTON_FIELD>> make_ctaps_buttons() {
  std::vector<std::unique_ptr<fp_BUTTON_FIELD>> buttons;
  for (const RowControls& row : kRowControls) buttons.push_back(std::make_unique<fp_BUTTON_FIELD>(row.ctaps_button, kFieldFlags));
  return buttons;
}

}  // namespace

struct CUITF40AdjustmentUI::Row {
  explicit Row(const RowControls& controls)
      : label(std::make_unique<fp_STRING_FIELD>(controls.label, kRowLabelLength, kFieldFlags, 0)),
        default_amount(controls.default_amount == 0 ? nullptr
                                                    : std::make_unique<fp_MONEY_FIELD>(controls.default_amount, kMoneyWidth,
                                                                                       kPence, kFieldFlags, 0)),
        tick(controls.tick == 0 ? nullptr : std::make_unique<fp_TICK_FIELD>(controls.tick, kFieldFlags)),
        amount_taxed(std::make_unique<fp_MONEY_FIELD>(controls.amount_taxed, kMoneyWidth, kPence, kAmountFlags, 0)),
        excess(controls.excess == 0 ? nullptr
                                    : std::make_unique<fp_MONEY_FIELD>(controls.excess, kMoneyWidth, kPence, kFieldFlags, 0)) {}

  std::unique_ptr<fp_STRING_FIELD> label;
  std::unique_ptr<fp_MONEY_FIELD> default_amount;
  std::unique_ptr<fp_TICK_FIELD> tick;
  std::unique_ptr<fp_MONEY_FIELD> amount_taxed;
  std::unique_ptr<fp_MONEY_FIELD> excess;
};

std::vector<std::unique_ptr<CUITF40AdjustmentUI::Row>> CUITF40AdjustmentUI::MakeRows() {
  std::vector<std::unique_ptr<Row>> rows;
  for (const RowControls& controls : kRowControls) rows.push_back(std::make_unique<Row>(controls));
  return rows;
}

CUITF40AdjustmentUI::CUITF40AdjustmentUI(Adjustment& adjustment)
    : fp_FORM(kDialog, qarntash_instance()),
      m_PeriodHeading(1072, 20, kFieldFlags, 0),
      m_TotalPaidLabel(1070, 40, kFieldFlags, 0),
      m_FirstYearLabel(1079, 50, kFieldFlags, 0),
      m_FirstYear(kFieldFlags),
      m_FirstYear2006(kFirstYear2006, kEarlyFirstYear, kFieldFlags),
      m_FirstYear2007(kFirstYear2007, kUsualFirstYear, kFieldFlags),
      m_UntaxedLabel(1049, 50, kFieldFlags, 0),
      m_Untaxed(1042, kMoneyWidth, kPence, kFieldFlags, 0),
      m_CTAPsButtons(make_ctaps_buttons()),
      m_RowNumber7(1098, 1, kFieldFlags, 0),
      m_RowNumber8(1099, 1, kFieldFlags, 0),
      m_Adjustment(&adjustment),
      m_TotalAdjustment(kTotalAdjustment, kMoneyWidth, kPence, kAmountFlags, 0),
      m_Rows(MakeRows()),
      m_TotalPaid(1040, kMoneyWidth, kPence, kFieldFlags, 0) {
  confirm_cancel(true);
  add_statusbar();
  open(true);
  FillMaps();
  takeover_key_in_form(kResetKey, "", 0, true);
  if (m_Adjustment->GetNumberOfPeriods() > kRows) wp_messagebox(kTitle, kTooManyPeriods);
  for (int row = 1; row <= kRowsWithTicks; ++row) {
    m_Labels[row]->inhibit_form_data_changed(true);
    m_Defaults[row]->inhibit_form_data_changed(true);
    m_Excesses[row]->inhibit_form_data_changed(true);
    m_Defaults[row]->set_flag_display_only(true);
    m_Excesses[row]->set_flag_display_only(true);
  }
  for (int row = 1; row <= kRows; ++row) {
    m_AmountsTaxed[row]->inhibit_form_data_changed(true);
    m_AmountsTaxed[row]->set_flag_display_only(true);
  }
  m_TotalPaid.set_flag_display_only(true);
  m_Untaxed.set_flag_display_only(true);
  // The labels are the business objects' texts, never typed over.
  for (fp_STRING_FIELD* label : {&m_PeriodHeading, &m_TotalPaidLabel, &m_FirstYearLabel, &m_UntaxedLabel, &m_RowNumber7,
                                 &m_RowNumber8}) {
    label->set_flag_display_only(true);
  }
  for (int row = 1; row <= kRows; ++row) m_Labels[row]->set_flag_display_only(true);
}

CUITF40AdjustmentUI::~CUITF40AdjustmentUI() = default;

bool CUITF40AdjustmentUI::Run(long taxYear) {
  m_TaxYear = taxYear;
  Refresh();
  return process();
}

void CUITF40AdjustmentUI::FillMaps() {
  m_Labels.clear();
  m_Defaults.clear();
  m_Ticks.clear();
  m_Excesses.clear();
  m_AmountsTaxed.clear();
  for (int row = 1; row <= kRows; ++row) {
    Row& fields = *m_Rows[static_cast<std::size_t>(row - 1)];
    m_Labels[row] = fields.label.get();
    m_AmountsTaxed[row] = fields.amount_taxed.get();
    if (row > kRowsWithTicks) continue;
    m_Defaults[row] = fields.default_amount.get();
    m_Ticks[row] = fields.tick.get();
    m_Excesses[row] = fields.excess.get();
  }
}

// The last period's row shows only its amount taxed (its instalment is what is left, so there is
// nothing to override), and rows after the last period show nothing. Beyond eight periods every
// row is a period's; the first eight are shown.
void CUITF40AdjustmentUI::Layout() {
  const int periods = m_Adjustment->GetNumberOfPeriods();
  m_PeriodHeading.set(m_Adjustment->GetPeriodHeading().c_str());
  m_TotalPaidLabel.set(m_Adjustment->GetTotalPaidLabel().c_str());
  m_FirstYearLabel.set(m_Adjustment->GetFirstYearLabel().c_str());
  m_UntaxedLabel.set(m_Adjustment->GetUntaxedLabel(m_TaxYear).c_str());
  const bool first_year_choice = m_Adjustment->HasFirstYearChoice();
  m_FirstYear2006.show(first_year_choice);
  m_FirstYear2007.show(first_year_choice);
  for (int row = 1; row <= kRows; ++row) {
    const bool has_ctaps = m_Adjustment->HasCTAPs(row);
    m_CTAPsButtons[static_cast<std::size_t>(row - 1)]->show(has_ctaps);
    if (row <= kRowsWithTicks) m_Ticks[row]->show(!has_ctaps);
  }
  if (periods < kRows) {
    for (int row = std::max(periods, 1); row <= kRows; ++row) {
      if (row <= kRowsWithTicks) {
        m_Ticks[row]->show(false);
        m_Defaults[row]->show(false);
        m_Excesses[row]->show(false);
      }
      m_AmountsTaxed[row]->show(row == periods);
      if (row > periods) m_Labels[row]->show(false);
    }
  }
  if (periods <= kRows) {
    m_RowNumber7.show(periods >= 7);
    m_RowNumber8.show(periods >= 8);
  }
  for (int row = 1; row <= std::min(periods - 1, kRowsWithTicks); ++row) {
    if (!m_Adjustment->GetPeriod(row)->CanBeOverridden()) m_Ticks[row]->show(false);
  }
}

void CUITF40AdjustmentUI::Refresh() {
  Layout();
  m_Adjustment->Compute();
  if (m_Adjustment->HasFirstYearChoice()) m_FirstYear.set(static_cast<unsigned long>(m_Adjustment->GetFirstYearOfAdjustment()));
  m_TotalAdjustment.set(m_Adjustment->GetTotalAdjustment());
  const int periods = m_Adjustment->GetNumberOfPeriods();
  for (int row = 1; row <= std::min(periods, kRows); ++row) {
    const CUITF40AdjustmentPeriod& period = *m_Adjustment->GetPeriod(row);
    if (row != periods && row <= kRowsWithTicks) {
      m_Defaults[row]->set(period.GetDefaultAmount());
      m_Ticks[row]->set(period.IsOverridden());
      m_Excesses[row]->set(period.GetExcessOverDefault());
    }
    if (period.IsOverridden()) {
      m_AmountsTaxed[row]->set(period.GetOverrideAmount());
      m_AmountsTaxed[row]->set_flag_display_only(!period.IsOverrideEditable());
    } else {
      m_AmountsTaxed[row]->set(period.GetDefaultAmount());
      m_AmountsTaxed[row]->set_flag_display_only(true);
    }
    m_Labels[row]->set(period.GetText().c_str());
  }
  m_TotalPaid.set(m_Adjustment->GetTotalPaymentsForAllPeriods());
  const double untaxed = m_Adjustment->TotalUntaxedAtEndOfPeriod(CurrentPeriod());
  m_Untaxed.set(ttdoubcmp(untaxed, 0) == 1 ? untaxed : 0);
}

long CUITF40AdjustmentUI::CurrentPeriod() const {
  for (int period = 1; period <= m_Adjustment->GetNumberOfPeriods(); ++period) {
    if (m_Adjustment->GetPeriod(period)->GetTaxYear() == m_TaxYear) return period;
  }
  return 0;
}

int CUITF40AdjustmentUI::RowOfTick(long id) const {
  for (const auto& [row, tick] : m_Ticks) {
    if (tick->id() == id) return row;
  }
  return 0;
}

int CUITF40AdjustmentUI::RowOfAmountTaxed(long id) const {
  for (const auto& [row, amount] : m_AmountsTaxed) {
    if (amount->id() == id) return row;
  }
  return 0;
}

bool CUITF40AdjustmentUI::RowHasTick(long row) const {
  const auto tick = m_Ticks.find(static_cast<int>(row));
  return tick != m_Ticks.end() && tick->second->is_shown();
}

// Changing the first year starts the spread again, so the user is asked first; on No the year in
// force keeps the focus.
long CUITF40AdjustmentUI::field_entry(long id, bool&) {
  if (id != kFirstYear2006 && id != kFirstYear2007) return 0;
  if (m_FirstYear.get_ctrl_id_selected() == id) return 0;
  if (!ask(kFirstYearChangePrompt)) return id == kFirstYear2006 ? kFirstYear2007 : kFirstYear2006;
  m_Adjustment->Reset();
  m_Adjustment->SetFirstYearOfAdjustment(id == kFirstYear2006 ? kEarlyFirstYear : kUsualFirstYear);
  FillMaps();
  Refresh();
  return 0;
}

long CUITF40AdjustmentUI::field_exit(long id, unsigned long*, int, bool&) {
  if (id != kTotalAdjustment) return 0;
  m_Adjustment->SetTotalAdjustment(m_TotalAdjustment.get());
  Refresh();
  return 0;
}

long CUITF40AdjustmentUI::field_validate(long id, bool, bool& handled) {
  const int row = RowOfAmountTaxed(id);
  if (row < 1 || row > m_Adjustment->GetNumberOfPeriods() - 1) return 0;
  CUITF40AdjustmentPeriod& period = *m_Adjustment->GetPeriod(row);
  if (!period.IsOverridden() || period.GetNumberOfSubPeriods() != 1) return 0;
  handled = true;
  return take_typed_override(*m_Adjustment, period, *m_AmountsTaxed[row], [this] { Refresh(); });
}

long CUITF40AdjustmentUI::field_pushed(long id, bool& handled) {
  if (const int row = RowOfTick(id); row != 0) {
    if (row > m_Adjustment->GetNumberOfPeriods() - 1) return 0;
    CUITF40AdjustmentPeriod& period = *m_Adjustment->GetPeriod(row);
    period.SetOverridden(m_Ticks[row]->get());
    period.SetOverrideAmount(m_AmountsTaxed[row]->get());
    Refresh();
    handled = true;
    return id;
  }
  for (int row = 1; row <= kRows; ++row) {
    if (m_CTAPsButtons[static_cast<std::size_t>(row - 1)]->id() != id) continue;
    // Only a company's account periods have CTAPs to show.
    auto* company = dynamic_cast<CUITF40AdjustmentCTax*>(m_Adjustment);
    if (company == nullptr || dynamic_cast<CUITF40AdjustmentAccountPeriod*>(company->GetPeriod(row)) == nullptr) return 0;
    CUITF40AdjustmentCTAPsUI::RunScreen(*company, row);
    Refresh();
    return 0;
  }
  return 0;
}

long CUITF40AdjustmentUI::key_pressed(long, unsigned long& key, bool&, bool&, bool&) {
  if (key != kResetKey) return 0;
  if (m_Adjustment->UsesReset()) {
    m_Adjustment->Reset();
    FillMaps();
  } else {
    m_Adjustment->SetTotalAdjustment(0);
  }
  Refresh();
  return 0;
}

// On OK: a period whose profit is low may be overridden first (the form stays open on its amount
// taxed), and instalments above the total adjustment are refused.
long CUITF40AdjustmentUI::form_exit() {
  const long current = CurrentPeriod();
  if (current > 0 && RowHasTick(current)) {
    CUITF40AdjustmentPeriod& period = *m_Adjustment->GetPeriod(static_cast<int>(current));
    const int row = static_cast<int>(current);
    if (m_Adjustment->LowProfitsCheckForPeriod(current, m_Adjustment->GetProfitForThePeriod()) &&
        period.GetNumberOfSubPeriods() == 1 && ask(kLowProfitsPrompt)) {
      m_Ticks[row]->set(true);
      m_AmountsTaxed[row]->set_flag_display_only(false);
      // The override starts from the amount shown, so the figures agree with the screen.
      period.SetOverridden(true);
      period.SetOverrideAmount(m_AmountsTaxed[row]->get());
      return m_AmountsTaxed[row]->id();
    }
  }
  if (!m_Adjustment->DoTotalPaymentsExceedTotalAdjustment()) {
    m_Adjustment->Persist();
    return 0;
  }
  show_message(kInstalmentsAboveTotal);
  return kTotalAdjustment;
}
