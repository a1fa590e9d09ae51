// The periods of a UITF 40 adjustment: a plain period, a company's account period and its CTAPs.
#include <algorithm>

#include "platform/rounding.h"
#include "platform/uitf40_adjustment.h"

namespace Velmar::BusinessRules::Taxation::BusinessTax {
namespace {

UITF40PeriodData period_figures_of(const UITF40CTAPData& ctap) {
  UITF40PeriodData figures;
  figures.label = ctap.label;
  figures.taxYear = ctap.taxYear;
  figures.overridden = ctap.overridden;
  figures.overrideAmount = ctap.overrideAmount;
  return figures;
}

}  // namespace

CUITF40AdjustmentPeriod::CUITF40AdjustmentPeriod(const UITF40PeriodData& figures) : m_Figures(figures) {
  m_Figures.ctaps.clear();
}

CUITF40AdjustmentPeriod::~CUITF40AdjustmentPeriod() = default;

cLBW_STRING CUITF40AdjustmentPeriod::GetText() const { return cLBW_STRING(m_Figures.label); }
long CUITF40AdjustmentPeriod::GetTaxYear() const { return m_Figures.taxYear; }
double CUITF40AdjustmentPeriod::GetDefaultAmount() const { return m_DefaultAmount; }
bool CUITF40AdjustmentPeriod::IsOverridden() const { return m_Figures.overridden; }
double CUITF40AdjustmentPeriod::GetOverrideAmount() const { return m_Figures.overrideAmount; }

double CUITF40AdjustmentPeriod::GetExcessOverDefault() const {
  return IsOverridden() ? GetOverrideAmount() - GetDefaultAmount() : 0;
}

// A period that charges nothing keeps no override: there is no instalment in it to change.
void CUITF40AdjustmentPeriod::SetOverrideAmount(double amount) {
  if (m_Chargeable) m_Figures.overrideAmount = amount;
}

void CUITF40AdjustmentPeriod::SetOverridden(bool overridden) {
  if (m_Chargeable || !overridden) m_Figures.overridden = overridden;
}

int CUITF40AdjustmentPeriod::GetNumberOfSubPeriods() const { return 1; }
bool CUITF40AdjustmentPeriod::IsOverrideEditable() const { return CanBeOverridden(); }
bool CUITF40AdjustmentPeriod::CanBeOverridden() const { return m_Chargeable; }

UITF40Rule CUITF40AdjustmentPeriod::GetRuleUsed() const {
  if (m_Rule == UITF40RuleNone) return UITF40RuleNone;
  return IsOverridden() ? UITF40RuleOverride : m_Rule;
}

double CUITF40AdjustmentPeriod::GetAmountTaxed() const {
  return IsOverridden() ? GetOverrideAmount() : GetDefaultAmount();
}

UITF40PeriodData CUITF40AdjustmentPeriod::Describe() const { return m_Figures; }

std::unique_ptr<CUITF40AdjustmentPeriod> CUITF40AdjustmentPeriod::Copy() const {
  return std::make_unique<CUITF40AdjustmentPeriod>(*this);
}

void CUITF40AdjustmentPeriod::ApplyInstalment(double defaultAmount, UITF40Rule rule, bool chargeable) {
  m_DefaultAmount = defaultAmount;
  m_Rule = rule;
  m_Chargeable = chargeable;
  if (!chargeable) ClearOverride();
}

void CUITF40AdjustmentPeriod::ClearOverride() {
  m_Figures.overridden = false;
  m_Figures.overrideAmount = 0;
}

CUITF40AdjustmentCTAP::CUITF40AdjustmentCTAP(const UITF40CTAPData& figures)
    : CUITF40AdjustmentPeriod(period_figures_of(figures)),
      m_Days(std::max(0L, figures.days)),
      m_ChargeableCTAP(figures.chargeable) {}

UITF40CTAPData CUITF40AdjustmentCTAP::DescribeCTAP() const {
  UITF40CTAPData figures;
  figures.label = m_Figures.label;
  figures.taxYear = m_Figures.taxYear;
  figures.days = m_Days;
  figures.chargeable = m_ChargeableCTAP;
  figures.overridden = m_Figures.overridden;
  figures.overrideAmount = m_Figures.overrideAmount;
  return figures;
}

CUITF40AdjustmentAccountPeriod::CUITF40AdjustmentAccountPeriod(const UITF40PeriodData& figures)
    : CUITF40AdjustmentPeriod(figures) {
  for (const UITF40CTAPData& ctap : figures.ctaps) m_CTAPs.emplace_back(ctap);
}

bool CUITF40AdjustmentAccountPeriod::IsOverridden() const {
  if (!SplitIntoCTAPs()) return CUITF40AdjustmentPeriod::IsOverridden();
  return std::any_of(m_CTAPs.begin(), m_CTAPs.end(), [](const auto& ctap) { return ctap.IsOverridden(); });
}

double CUITF40AdjustmentAccountPeriod::GetOverrideAmount() const {
  if (!SplitIntoCTAPs()) return CUITF40AdjustmentPeriod::GetOverrideAmount();
  double sum = 0;
  for (const auto& ctap : m_CTAPs) sum += ctap.GetAmountTaxed();
  return sum;
}

void CUITF40AdjustmentAccountPeriod::SetOverrideAmount(double amount) {
  if (!SplitIntoCTAPs()) CUITF40AdjustmentPeriod::SetOverrideAmount(amount);
}

void CUITF40AdjustmentAccountPeriod::SetOverridden(bool overridden) {
  if (!SplitIntoCTAPs()) CUITF40AdjustmentPeriod::SetOverridden(overridden);
}

int CUITF40AdjustmentAccountPeriod::GetNumberOfSubPeriods() const {
  return std::max(1, GetNumberOfCTAPs());
}

bool CUITF40AdjustmentAccountPeriod::IsOverrideEditable() const {
  return !SplitIntoCTAPs() && CUITF40AdjustmentPeriod::IsOverrideEditable();
}

CUITF40AdjustmentCTAP* CUITF40AdjustmentAccountPeriod::GetCTAP(int ctap) {
  return ctap >= 1 && ctap <= GetNumberOfCTAPs() ? &m_CTAPs[static_cast<std::size_t>(ctap - 1)] : nullptr;
}

const CUITF40AdjustmentCTAP* CUITF40AdjustmentAccountPeriod::GetCTAP(int ctap) const {
  return const_cast<CUITF40AdjustmentAccountPeriod*>(this)->GetCTAP(ctap);
}

UITF40PeriodData CUITF40AdjustmentAccountPeriod::Describe() const {
  UITF40PeriodData figures = m_Figures;
  for (const auto& ctap : m_CTAPs) figures.ctaps.push_back(ctap.DescribeCTAP());
  return figures;
}

std::unique_ptr<CUITF40AdjustmentPeriod> CUITF40AdjustmentAccountPeriod::Copy() const {
  return std::make_unique<CUITF40AdjustmentAccountPeriod>(*this);
}

// The period's instalment is shared between its chargeable CTAPs by their days (equally when none
// has days), each share rounded to the penny and the last taking what rounding left, so that the
// shares add up to the instalment exactly.
void CUITF40AdjustmentAccountPeriod::ApplyInstalment(double defaultAmount, UITF40Rule rule, bool chargeable) {
  CUITF40AdjustmentPeriod::ApplyInstalment(defaultAmount, rule, chargeable);
  long chargeable_days = 0;
  int chargeable_ctaps = 0;
  int last_chargeable = -1;
  for (int i = 0; i < GetNumberOfCTAPs(); ++i) {
    if (!m_CTAPs[static_cast<std::size_t>(i)].m_ChargeableCTAP) continue;
    chargeable_days += m_CTAPs[static_cast<std::size_t>(i)].m_Days;
    ++chargeable_ctaps;
    last_chargeable = i;
  }
  double left = defaultAmount;
  for (int i = 0; i < GetNumberOfCTAPs(); ++i) {
    CUITF40AdjustmentCTAP& ctap = m_CTAPs[static_cast<std::size_t>(i)];
    if (!chargeable || !ctap.m_ChargeableCTAP) {
      ctap.ApplyInstalment(0, UITF40RuleNone, false);
      continue;
    }
    const double fraction = chargeable_days > 0 ? static_cast<double>(ctap.m_Days) / chargeable_days
                                                : 1.0 / chargeable_ctaps;
    const double share = i == last_chargeable ? left : ttround(defaultAmount * fraction, 2, 2);
    left -= share;
    ctap.ApplyInstalment(share, rule, true);
  }
}

void CUITF40AdjustmentAccountPeriod::ClearOverride() {
  CUITF40AdjustmentPeriod::ClearOverride();
  for (auto& ctap : m_CTAPs) ctap.ClearOverride();
}

}  // namespace Velmar::BusinessRules::Taxation::BusinessTax
