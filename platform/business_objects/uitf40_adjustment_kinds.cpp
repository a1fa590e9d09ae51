// The three kinds of UITF 40 adjustment: a partnership's, a sole trader's and a company's.
#include <new>
#include <string>

#include "platform/uitf40_adjustment.h"

namespace Velmar::BusinessRules::Taxation::BusinessTax {
namespace {

// A trade whose periods include 2005-06 may start the spread there instead of in 2006-07.
constexpr long kEarlyFirstYear = 2006;

}  // namespace

cLBW_STRING CUITF40AdjustmentTradeKind::GetPeriodHeading() const { return "Tax year"; }
cLBW_STRING CUITF40AdjustmentTradeKind::GetTotalPaidLabel() const { return "Total tax paid over 6 years"; }
// Without a choice of first year there is nothing for the label to name.
cLBW_STRING CUITF40AdjustmentTradeKind::GetFirstYearLabel() const {
  return HasFirstYearChoice() ? "First tax year for adjustment" : "";
}

cLBW_STRING CUITF40AdjustmentTradeKind::GetUntaxedLabel(long taxYear) const {
  if (taxYear <= 0) return "Amount untaxed";
  return cLBW_STRING("Amount untaxed at 5 April " + std::to_string(taxYear));
}

bool CUITF40AdjustmentTradeKind::HasFirstYearChoice() const {
  for (int i = 1; i <= GetNumberOfPeriods(); ++i) {
    if (PeriodAt(i)->GetTaxYear() == kEarlyFirstYear) return true;
  }
  return false;
}

bool CUITF40AdjustmentTradeKind::UsesReset() const { return true; }

CUITF40AdjustmentTrades::CUITF40AdjustmentTrades(const UITF40AdjustmentData& figures)
    : CUITF40AdjustmentTradeKind(figures) {
  Load(figures);
}

CUITF40AdjustmentTrades* CUITF40AdjustmentTrades::Clone(const CUITF40AdjustmentTrades& adjustment) {
  try {
    return new CUITF40AdjustmentTrades(adjustment);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

CUITF40AdjustmentSoleTrader::CUITF40AdjustmentSoleTrader(const PMCO_INT_REF& client, const PMCO_INT_REF& business,
                                                         double profitForThePeriod)
    : CUITF40AdjustmentTradeKind(UITF40AdjustmentData{}),
      m_Client(client),
      m_Business(business),
      m_ProfitGiven(profitForThePeriod) {
  UITF40AdjustmentData figures;
  figures.profitForThePeriod = profitForThePeriod;
  SetCommittedFigures(figures);
  Load(figures);
}

// The profit is the one the caller gave for the period being computed, not a stored one.
bool CUITF40AdjustmentSoleTrader::Populate() {
  UITF40AdjustmentData figures;
  const bool found = CTaxBusinessObjectBroker::GetSoleTraderUITF40(m_Client, m_Business, figures);
  figures.profitForThePeriod = m_ProfitGiven;
  SetCommittedFigures(figures);
  Load(figures);
  return found;
}

bool CUITF40AdjustmentSoleTrader::Persist() {
  CUITF40Adjustment::Persist();
  CTaxBusinessObjectBroker::SetSoleTraderUITF40(m_Client, m_Business, GetCommittedFigures());
  return true;
}

CUITF40AdjustmentCTax::CUITF40AdjustmentCTax(const UITF40AdjustmentData& figures) : CUITF40Adjustment(figures) {
  Load(figures);
}

cLBW_STRING CUITF40AdjustmentCTax::GetPeriodHeading() const { return "Accounting period"; }
cLBW_STRING CUITF40AdjustmentCTax::GetTotalPaidLabel() const { return "Total tax paid over 6 periods"; }
cLBW_STRING CUITF40AdjustmentCTax::GetFirstYearLabel() const { return ""; }
cLBW_STRING CUITF40AdjustmentCTax::GetUntaxedLabel(long) const { return "Amount untaxed at the end of this period"; }

bool CUITF40AdjustmentCTax::HasCTAPs(int period) const {
  const auto* account = static_cast<const CUITF40AdjustmentAccountPeriod*>(PeriodAt(period));
  return account != nullptr && account->GetNumberOfCTAPs() >= 2;
}

bool CUITF40AdjustmentCTax::PersistAllCTAPsInPeriod(long period) {
  const auto* account = static_cast<const CUITF40AdjustmentAccountPeriod*>(PeriodAt(period));
  UITF40AdjustmentData committed = GetCommittedFigures();
  if (account == nullptr || static_cast<std::size_t>(period) > committed.periods.size()) return false;
  committed.periods[static_cast<std::size_t>(period - 1)].ctaps = account->Describe().ctaps;
  SetCommittedFigures(committed);
  return true;
}

std::unique_ptr<CUITF40AdjustmentPeriod> CUITF40AdjustmentCTax::MakePeriod(const UITF40PeriodData& figures) const {
  return std::make_unique<CUITF40AdjustmentAccountPeriod>(figures);
}

}  // namespace Velmar::BusinessRules::Taxation::BusinessTax
