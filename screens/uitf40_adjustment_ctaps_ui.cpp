// The CTAPs screen (dialog 114): the CTAPs of one of a company's account periods, at most four.
#include <algorithm>

#include "qarntash/library.h"
#include "qarntash/screens/uitf40_adjustment_ui.h"
#include "uitf40_messages.h"

using namespace uitf40_screens;
using Velmar::BusinessRules::Taxation::BusinessTax::CUITF40AdjustmentCTAP;
using Velmar::BusinessRules::Taxation::BusinessTax::UITF40RuleNone;

namespace {

constexpr unsigned kDialog = 114;
constexpr unsigned short kMoneyWidth = 14;
constexpr unsigned char kPence = 2;
constexpr unsigned short kLabelLength = 10;

constexpr int kRows = 4;

struct RowControls {
  long label, default_amount, tick, amount_taxed;
};
constexpr RowControls kRowControls[kRows] = {
    {1074, 1012, 1016, 1014},
    {1075, 1017, 1021, 1019},
    {1076, 1022, 1026, 1024},
    {1077, 1027, 1031, 1029},
};

}  // namespace

struct CUITF40AdjustmentCTAPsUI::Row {
  explicit Row(const RowControls& controls)
      : default_amount(controls.default_amount, kMoneyWidth, kPence, 0, 0),
        amount_taxed(controls.amount_taxed, kMoneyWidth, kPence, 0, 0),
        label(controls.label, kLabelLength, 0, 0),
        tick(controls.tick, 0) {}

  fp_MONEY_FIELD default_amount;
  fp_MONEY_FIELD amount_taxed;
  fp_STRING_FIELD label;
  fp_TICK_FIELD tick;

  void show(bool shown) {
    default_amount.show(shown);
    amount_taxed.show(shown);
    label.show(shown);
    tick.show(shown);
  }
};

std::vector<std::unique_ptr<CUITF40AdjustmentCTAPsUI::Row>> CUITF40AdjustmentCTAPsUI::MakeRows() {
  std::vector<std::unique_ptr<Row>> rows;
  for (const RowControls& controls : kRowControls) rows.push_back(std::make_unique<Row>(controls));
  return rows;
}

bool CUITF40AdjustmentCTAPsUI::RunScreen(CompanyAdjustment& adjustment, long period) {
  if (dynamic_cast<AccountPeriod*>(adjustment.GetPeriod(static_cast<int>(period))) == nullptr) return false;
  const CompanyAdjustment backup(adjustment);
  bool ok = false;
  {
    CUITF40AdjustmentCTAPsUI screen(adjustment, period);
    screen.Refresh();
    ok = screen.process();
  }
  if (ok) {
    adjustment.PersistAllCTAPsInPeriod(period);
  } else {
    adjustment = backup;
  }
  return ok;
}

CUITF40AdjustmentCTAPsUI::CUITF40AdjustmentCTAPsUI(CompanyAdjustment& adjustment, long period)
    : fp_FORM(kDialog, qarntash_instance()), m_Rows(MakeRows()), m_Adjustment(&adjustment), m_Period(period) {
  takeover_key_in_form(kResetKey, "", 0, true);
  confirm_cancel(true);
  add_statusbar();
  open(true);
  FillMaps();
  SetUp();
}

CUITF40AdjustmentCTAPsUI::~CUITF40AdjustmentCTAPsUI() = default;

void CUITF40AdjustmentCTAPsUI::FillMaps() {
  m_Labels.clear();
  m_Defaults.clear();
  m_Ticks.clear();
  m_AmountsTaxed.clear();
  for (int ctap = 1; ctap <= kRows; ++ctap) {
    Row& row = *m_Rows[static_cast<std::size_t>(ctap - 1)];
    m_Labels[ctap] = &row.label;
    m_Defaults[ctap] = &row.default_amount;
    m_Ticks[ctap] = &row.tick;
    m_AmountsTaxed[ctap] = &row.amount_taxed;
  }
}

CUITF40AdjustmentCTAPsUI::AccountPeriod* CUITF40AdjustmentCTAPsUI::Period() const {
  return dynamic_cast<AccountPeriod*>(m_Adjustment->GetPeriod(static_cast<int>(m_Period)));
}

int CUITF40AdjustmentCTAPsUI::ShownCTAPs() const {
  const AccountPeriod* period = Period();
  return period == nullptr ? 0 : std::min(period->GetNumberOfCTAPs(), kRows);
}

// Rows without a CTAP are hidden; a CTAP in which nothing is charged is shown but disabled.
void CUITF40AdjustmentCTAPsUI::SetUp() {
  AccountPeriod* period = Period();
  if (period == nullptr) return;
  const int ctaps = period->GetNumberOfCTAPs();
  if (ctaps >= 2) {
    for (int row = std::min(ctaps, kRows) + 1; row <= kRows; ++row) m_Rows[static_cast<std::size_t>(row - 1)]->show(false);
    for (int row = 1; row <= std::min(ctaps, kRows); ++row) m_Labels[row]->set(period->GetCTAP(row)->GetText().c_str());
    for (int row = 1; row <= std::min(ctaps, kRows); ++row) {
      if (period->GetCTAP(row)->GetRuleUsed() != UITF40RuleNone) continue;
      m_Labels[row]->disable(true);
      m_AmountsTaxed[row]->disable(true);
      m_Defaults[row]->disable(true);
      m_Ticks[row]->disable(true);
    }
  }
  for (int row = 1; row <= kRows; ++row) m_Labels[row]->set_flag_display_only(true);  // never typed over
  for (int row = 1; row <= ShownCTAPs(); ++row) {
    m_Labels[row]->inhibit_form_data_changed(true);
    m_Defaults[row]->inhibit_form_data_changed(true);
    m_AmountsTaxed[row]->inhibit_form_data_changed(true);
    m_Defaults[row]->set_flag_display_only(true);
    m_AmountsTaxed[row]->set_flag_display_only(true);
  }
}

void CUITF40AdjustmentCTAPsUI::Refresh() {
  m_Adjustment->Compute();
  AccountPeriod* period = Period();
  for (int row = 1; row <= ShownCTAPs(); ++row) {
    const CUITF40AdjustmentCTAP& ctap = *period->GetCTAP(row);
    m_Defaults[row]->set(ctap.GetDefaultAmount());
    m_Ticks[row]->set(ctap.IsOverridden());
    if (ctap.IsOverridden()) {
      m_AmountsTaxed[row]->set(ctap.GetOverrideAmount());
      m_AmountsTaxed[row]->set_flag_display_only(false);
    } else {
      m_AmountsTaxed[row]->set(ctap.GetDefaultAmount());
      m_AmountsTaxed[row]->set_flag_display_only(true);
    }
    m_Labels[row]->set(ctap.GetText().c_str());
  }
}

long CUITF40AdjustmentCTAPsUI::field_validate(long id, bool, bool& handled) {
  for (int row = 1; row <= ShownCTAPs(); ++row) {
    if (m_AmountsTaxed[row]->id() != id) continue;
    handled = true;
    return take_typed_override(*m_Adjustment, *Period()->GetCTAP(row), *m_AmountsTaxed[row], [this] { Refresh(); });
  }
  return 0;
}

long CUITF40AdjustmentCTAPsUI::field_pushed(long id, bool& handled) {
  for (int row = 1; row <= ShownCTAPs(); ++row) {
    if (m_Ticks[row]->id() != id) continue;
    CUITF40AdjustmentCTAP& ctap = *Period()->GetCTAP(row);
    ctap.SetOverridden(m_Ticks[row]->get());
    ctap.SetOverrideAmount(m_AmountsTaxed[row]->get());
    Refresh();
    handled = true;
    return id;
  }
  return 0;
}

// F8 clears the override of every CTAP of the period, shown or not.
long CUITF40AdjustmentCTAPsUI::key_pressed(long, unsigned long& key, bool&, bool&, bool&) {
  if (key != kResetKey) return 0;
  AccountPeriod* period = Period();
  if (period == nullptr) return 0;
  for (int ctap = 1; ctap <= period->GetNumberOfSubPeriods(); ++ctap) {
    if (CUITF40AdjustmentCTAP* part = period->GetCTAP(ctap)) part->SetOverridden(false);
  }
  Refresh();
  return 0;
}
