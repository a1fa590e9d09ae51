// File: qarntash/screens/uitf40_adjustment_ui.h
//
// The UITF 40 adjustment screens. A business may carry a UITF 40 adjustment: a one-off amount
// charged to tax in instalments over several periods (tax years for a partnership or a sole
// trader, account periods for a company). The business objects (platform/uitf40_adjustment.h)
// compute the instalments; these screens show them and let the user override them:
//
//   - the UITF 40 screen (CUITF40AdjustmentUI, dialog 104): one row per period, at most eight,
//     with its label, default instalment, override tick, amount taxed and excess over the default;
//     the total adjustment and, where the business may choose, the first tax year above; the total
//     paid and the amount still untaxed at the end of the run's period below. F8 clears the
//     overrides (or the total, where the adjustment has no reset);
//   - the CTAPs screen (CUITF40AdjustmentCTAPsUI, dialog 114), opened from a row's "CTAPs" button
//     when a company's account period is split into CTAPs: one row per CTAP, at most four.
//
// Tax years are the years in which they end (2006 is 2005-06). Messages and prompts are titled
// "Velmar Tax". OK commits the figures (Persist); Cancel leaves every adjustment as it was.
//
// Usage:
//   CUITF40AdjustmentUI::RunPartnershipScreen(2008, partnership, 0);
//   if (CUITF40AdjustmentUI::RunCorporationScreen(2008, company, 0, adjustment)) { ...saved... }
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "platform/forms.h"
#include "platform/types.h"
#include "platform/uitf40_adjustment.h"
#include "qarntash/export.h"

class QARNTASH_API CUITF40AdjustmentUI : public fp_FORM {
 public:
  using Adjustment = Velmar::BusinessRules::Taxation::BusinessTax::CUITF40Adjustment;
  using CompanyAdjustment = Velmar::BusinessRules::Taxation::BusinessTax::CUITF40AdjustmentCTax;

  // The partnership's shared adjustment, edited on a copy that replaces it on OK. Before 2006-07
  // (tax year below 2007) a partnership with no period before the one containing 22 June 2005
  // gets message 115 and no screen. The amount is not used.
  static void RunPartnershipScreen(long taxYear, const PMCO_INT_REF& client, double amount);
  // A sole trader's adjustment, from the client, the business and the profit for the period;
  // committed on OK.
  static void RunSoleTraderScreen(long taxYear, const PMCO_INT_REF& client, const PMCO_INT_REF& business,
                                  double profitForThePeriod);
  // The caller's company adjustment: true when the user left with OK (the figures are then
  // committed); false, with the adjustment as it was, on Cancel or when message 105 says that no
  // adjustment applies. The reference and the amount are not used.
  static bool RunCorporationScreen(long taxYear, const PMCO_INT_REF& client, double amount,
                                   CompanyAdjustment& adjustment);

  // Builds the screen over `adjustment`, which it never owns.
  explicit CUITF40AdjustmentUI(Adjustment& adjustment);
  ~CUITF40AdjustmentUI() override;
  CUITF40AdjustmentUI(const CUITF40AdjustmentUI&) = delete;
  CUITF40AdjustmentUI& operator=(const CUITF40AdjustmentUI&) = delete;

  // Stores the tax year of the run, refreshes and runs the screen: true when the user left with OK.
  bool Run(long taxYear);

  long field_entry(long id, bool& handled) override;
  long field_exit(long id, unsigned long* key, int reserved, bool& handled) override;
  long field_pushed(long id, bool& handled) override;
  long field_validate(long id, bool changed, bool& handled) override;
  long form_exit() override;
  long key_pressed(long id, unsigned long& key, bool& handled, bool& shift, bool& control) override;

 private:
  void FillMaps();
  void Layout();
  void Refresh();
  // The first period whose tax year is the run's, 0 when none is.
  long CurrentPeriod() const;
  // The row (1 to 7) whose tick is `id`, or whose amount taxed (1 to 8) is `id`; 0 when none.
  int RowOfTick(long id) const;
  int RowOfAmountTaxed(long id) const;
  bool RowHasTick(long row) const;

  // The fields of one row; defined with the dialog's control numbers.
  struct Row;
  static std::vector<std::unique_ptr<Row>> MakeRows();

  // The fields in the order they are built, the adjustment beside them.
  fp_STRING_FIELD m_PeriodHeading;
  fp_STRING_FIELD m_TotalPaidLabel;
  fp_STRING_FIELD m_FirstYearLabel;
  fp_RADIO_GROUP m_FirstYear;
  fp_RADIO_FIELD m_FirstYear2006;
  fp_RADIO_FIELD m_FirstYear2007;
  fp_STRING_FIELD m_UntaxedLabel;
  fp_MONEY_FIELD m_Untaxed;
  std::vector<std::unique_ptr<fp_BUTTON_FIELD>> m_CTAPsButtons;  // rows 1 to 8
  fp_STRING_FIELD m_RowNumber7;
  fp_STRING_FIELD m_RowNumber8;
  Adjustment* m_Adjustment;
  fp_MONEY_FIELD m_TotalAdjustment;
  std::vector<std::unique_ptr<Row>> m_Rows;                       // rows 1 to 8
  fp_MONEY_FIELD m_TotalPaid;
  long m_TaxYear = 0;

  // Row number to field, as many rows as the dialog has of each.
  std::map<int, fp_STRING_FIELD*> m_Labels;         // rows 1 to 8
  std::map<int, fp_MONEY_FIELD*> m_Defaults;        // rows 1 to 7
  std::map<int, fp_TICK_FIELD*> m_Ticks;            // rows 1 to 7
  std::map<int, fp_MONEY_FIELD*> m_Excesses;        // rows 1 to 7
  std::map<int, fp_MONEY_FIELD*> m_AmountsTaxed;    // rows 1 to 8
};

class QARNTASH_API CUITF40AdjustmentCTAPsUI : public fp_FORM {
 public:
  using CompanyAdjustment = Velmar::BusinessRules::Taxation::BusinessTax::CUITF40AdjustmentCTax;
  using AccountPeriod = Velmar::BusinessRules::Taxation::BusinessTax::CUITF40AdjustmentAccountPeriod;

  // Runs the CTAPs screen of account period `period`: OK commits its CTAPs, Cancel restores the
  // whole adjustment as it was. False, and no screen, when the period is not an account period.
  static bool RunScreen(CompanyAdjustment& adjustment, long period);

  CUITF40AdjustmentCTAPsUI(CompanyAdjustment& adjustment, long period);
  ~CUITF40AdjustmentCTAPsUI() override;
  CUITF40AdjustmentCTAPsUI(const CUITF40AdjustmentCTAPsUI&) = delete;
  CUITF40AdjustmentCTAPsUI& operator=(const CUITF40AdjustmentCTAPsUI&) = delete;

  long field_validate(long id, bool changed, bool& handled) override;
  long field_pushed(long id, bool& handled) override;
  long key_pressed(long id, unsigned long& key, bool& handled, bool& shift, bool& control) override;

 private:
  void FillMaps();
  void SetUp();
  void Refresh();
  AccountPeriod* Period() const;
  // The CTAPs shown: the period's, at most the four rows the dialog has.
  int ShownCTAPs() const;

  struct Row;
  static std::vector<std::unique_ptr<Row>> MakeRows();
  std::vector<std::unique_ptr<Row>> m_Rows;  // CTAPs 1 to 4
  CompanyAdjustment* m_Adjustment;
  long m_Period;
  std::map<int, fp_STRING_FIELD*> m_Labels;
  std::map<int, fp_MONEY_FIELD*> m_Defaults;
  std::map<int, fp_TICK_FIELD*> m_Ticks;
  std::map<int, fp_MONEY_FIELD*> m_AmountsTaxed;
};
