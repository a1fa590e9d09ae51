// The three ways into the UITF 40 screen: a partnership's, a sole trader's and a company's.
#include <memory>

#include "platform/errors.h"
#include "qarntash/screens/uitf40_adjustment_ui.h"
#include "uitf40_messages.h"

using namespace uitf40_screens;
using Velmar::BusinessRules::Taxation::CTaxBusinessObjectBroker;
using Velmar::BusinessRules::Taxation::BusinessTax::CUITF40AdjustmentSoleTrader;
using Velmar::BusinessRules::Taxation::BusinessTax::CUITF40AdjustmentTrades;

namespace {

// Before 2006-07 a partnership needs a period that ends before the one containing 22 June 2005.
constexpr long kFirstYearWithoutCheck = 2007;

}  // namespace

// The partners share one adjustment: the screen edits a copy, which replaces the shared one only
// when the user leaves with OK.
void CUITF40AdjustmentUI::RunPartnershipScreen(long taxYear, const PMCO_INT_REF& client, double) {
  const auto shared = CTaxBusinessObjectBroker::GetTradesUITF40(client);
  if (!shared) {
    _exgen_error(1, "UITF 40: the partnership has no adjustment to show", 0, __FILE__, __LINE__);
    return;
  }
  if (taxYear < kFirstYearWithoutCheck && !shared->PeriodPresentBeforePeriodContainingStartDate()) {
    show_message(kPartnershipNotRequired);
    return;
  }
  const std::unique_ptr<CUITF40AdjustmentTrades> copy(CUITF40AdjustmentTrades::Clone(*shared));
  if (!copy) return;
  bool ok = false;
  {
    CUITF40AdjustmentUI screen(*copy);
    ok = screen.Run(taxYear);
  }
  if (ok) *shared = *copy;
}

void CUITF40AdjustmentUI::RunSoleTraderScreen(long taxYear, const PMCO_INT_REF& client, const PMCO_INT_REF& business,
                                              double profitForThePeriod) {
  CUITF40AdjustmentSoleTrader adjustment(client, business, profitForThePeriod);
  adjustment.Populate();
  CUITF40AdjustmentUI screen(adjustment);
  screen.Run(taxYear);
}

// The screen works on the caller's adjustment; a backup taken first puts it back as it was when
// the user cancels, so that Cancel changes nothing here either.
bool CUITF40AdjustmentUI::RunCorporationScreen(long taxYear, const PMCO_INT_REF&, double,
                                               CompanyAdjustment& adjustment) {
  if (!adjustment.PeriodPresentBeforePeriodContainingStartDate()) {
    show_message(kCompanyNotRequired);
    return false;
  }
  const CompanyAdjustment backup(adjustment);
  adjustment.Populate();
  bool ok = false;
  {
    CUITF40AdjustmentUI screen(adjustment);
    ok = screen.Run(taxYear);
  }
  if (!ok) adjustment = backup;
  return ok;
}
