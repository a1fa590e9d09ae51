// The UITF 40 screens, driven by a scripted user over adjustments of the stand-in business objects.
#include "qarntash/screens/uitf40_adjustment_ui.h"

#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/errors.h"
#include "platform/window_services.h"
#include "support/uitf40_figures.h"

namespace {

using namespace Velmar::BusinessRules::Taxation;
using namespace Velmar::BusinessRules::Taxation::BusinessTax;
using platform::FormAction;
using platform::FormState;
using test_support::company_figures;
using test_support::trade_figures;

const PMCO_INT_REF kClient{1, 501};
const PMCO_INT_REF kBusiness{1, 502};

const char* const kPrompt104 =
    "If the year of the first payment is changed then the data entry on this screen must be re-entered. Continue "
    "with change?";
const char* const kMessage105 =
    "This limited company is not required to calculate a UITF40 adjustment because either it's \nthe first year of "
    "trading or the selected accounting period ends before 22/06/05.";
const char* const kNotice109 = "You cannot override a payment to be more that the total adjustment figure";
const char* const kPrompt110 =
    "^qA sixth of the business profit for the period is less than the instalment currently being charged to tax.  "
    "Do you want to change the amount?";
const char* const kMessage112 =
    "The total of the instalments is higher than the overall adjustment - please amend the values entered";
const char* const kMessage115 =
    "This partnership is not required to calculate a UITF40 adjustment because it has no accounting period ending "
    "before 22/06/05.";
const char* const kTooManyPeriods =
    "The company's changes of account period end date make it unsuitable for the UITF40 screen.  Please make any "
    "adjustments required using the Posting option.";

bool shown(const FormState& form, long id) {
  const auto* control = form.find(id);
  return control != nullptr && control->visible;
}
bool enabled(const FormState& form, long id) {
  const auto* control = form.find(id);
  return control != nullptr && control->enabled;
}
double money(const FormState& form, long id) {
  const auto* control = form.find(id);
  return control != nullptr ? control->money : -1;
}
std::string text(const FormState& form, long id) {
  const auto* control = form.find(id);
  return control != nullptr ? control->text : "<none>";
}

// The figures a user could change, in one line, to compare an adjustment before and after.
std::string summary(const UITF40AdjustmentData& figures) {
  std::ostringstream out;
  out << figures.totalAdjustment << " from " << figures.firstYearOfAdjustment << ":";
  for (const auto& period : figures.periods) {
    out << " " << period.overridden << "/" << period.overrideAmount;
    for (const auto& ctap : period.ctaps) out << " (" << ctap.overridden << "/" << ctap.overrideAmount << ")";
  }
  return out.str();
}

class UITF40Screen : public ::testing::Test {
 protected:
  void SetUp() override { CTaxBusinessObjectBroker::Clear(); }
  void TearDown() override { CTaxBusinessObjectBroker::Clear(); }

  counted_ptr<CUITF40AdjustmentTrades> Partnership(const UITF40AdjustmentData& figures) {
    auto adjustment = std::make_shared<CUITF40AdjustmentTrades>(figures);
    CTaxBusinessObjectBroker::SetTradesUITF40(kClient, adjustment);
    return adjustment;
  }

  platform::ScriptedUser user;
};

TEST_F(UITF40Screen, ShowsEachKindsRowsLabelsAndAmounts) {
  enum Kind { kPartnership, kSoleTrader, kCompany };
  const struct {
    Kind kind;
    const char* heading;
    const char* first_label;
    const char* untaxed_label;
    const char* total_paid_label;
  } cases[] = {
      {kPartnership, "Tax year", "2006-07", "Amount untaxed at 5 April 2008", "Total tax paid over 6 years"},
      {kSoleTrader, "Tax year", "2006-07", "Amount untaxed at 5 April 2008", "Total tax paid over 6 years"},
      {kCompany, "Accounting period", "Year to 31/12/2006", "Amount untaxed at the end of this period",
       "Total tax paid over 6 periods"},
  };
  for (const auto& c : cases) {
    platform::ScriptedUser scripted;
    scripted.act({FormAction::Ok()});
    CUITF40AdjustmentCTax company(company_figures(6000, 6));
    if (c.kind == kPartnership) {
      Partnership(trade_figures(6000, 2007, 6));
      CUITF40AdjustmentUI::RunPartnershipScreen(2008, kClient, 0);
    } else if (c.kind == kSoleTrader) {
      CTaxBusinessObjectBroker::SetSoleTraderUITF40(kClient, kBusiness, trade_figures(6000, 2007, 6));
      CUITF40AdjustmentUI::RunSoleTraderScreen(2008, kClient, kBusiness, 1e6);
    } else {
      EXPECT_TRUE(CUITF40AdjustmentUI::RunCorporationScreen(2008, kClient, 0, company));
    }
    ASSERT_EQ(scripted.forms().size(), 1u) << c.heading;
    const FormState& form = scripted.forms()[0].opened;
    EXPECT_TRUE(scripted.forms()[0].ok) << c.heading;
    EXPECT_EQ(form.dialog_id, 104u);
    EXPECT_EQ(text(form, 1072), c.heading);
    EXPECT_EQ(text(form, 1043), c.first_label);
    EXPECT_EQ(text(form, 1049), c.untaxed_label);
    EXPECT_EQ(text(form, 1070), c.total_paid_label);
    EXPECT_FALSE(shown(form, 1009)) << "no period in 2005-06, so no first-year choice";
    EXPECT_EQ(money(form, 1011), 6000);
    EXPECT_EQ(money(form, 1012), 1000) << c.heading;
    EXPECT_EQ(money(form, 1014), 1000) << c.heading;
    EXPECT_EQ(money(form, 1015), 0) << c.heading;
    EXPECT_EQ(money(form, 1039), 1000) << "row 6 takes the balance";
    EXPECT_EQ(money(form, 1040), 6000);
    EXPECT_EQ(money(form, 1042), 4000) << "untaxed after the first two periods";
    EXPECT_TRUE(form.find(1014)->display_only) << "an instalment not overridden is not typed over";
  }
}

TEST_F(UITF40Screen, ShowsAtMostEightRowsAndOnlyTheLastRowsAmountTaxed) {
  const struct {
    int periods;
    std::vector<long> shown;
    std::vector<long> hidden;
  } cases[] = {
      {4, {1046, 1029}, {1031, 1027, 1030, 1047, 1034, 1039, 1082, 1088, 1098, 1099}},
      {6, {1048, 1039, 1036}, {1086, 1087, 1083, 1080, 1081, 1089, 1082, 1098, 1088, 1099}},
      {7, {1039, 1087, 1082, 1098}, {1080, 1081, 1089, 1088, 1099}},
      // From the seventh period on nothing is charged, so those rows have no tick.
      {8, {1082, 1098, 1099, 1088, 1091}, {1081}},
      {9, {1082, 1098, 1099, 1088, 1091}, {1081}},
      {12, {1088, 1091}, {1081}},
  };
  for (const auto& c : cases) {
    platform::ScriptedUser scripted;
    scripted.act({FormAction::Ok()});
    Partnership(trade_figures(6000, 2007, c.periods));
    CUITF40AdjustmentUI::RunPartnershipScreen(2008, kClient, 0);
    ASSERT_EQ(scripted.forms().size(), 1u) << c.periods;
    const FormState& form = scripted.forms()[0].opened;
    for (long id : c.shown) EXPECT_TRUE(shown(form, id)) << c.periods << " periods, control " << id;
    for (long id : c.hidden) EXPECT_FALSE(shown(form, id)) << c.periods << " periods, control " << id;
    const bool warned = !scripted.shown().empty() && scripted.shown()[0].text == kTooManyPeriods;
    EXPECT_EQ(warned, c.periods > 8) << c.periods;
    if (c.periods > 8) {
      EXPECT_EQ(text(form, 1091), "2013-14") << "row 8 is the eighth period";
      EXPECT_EQ(scripted.shown()[0].caption, "Velmar Tax");
    }
  }
}

TEST_F(UITF40Screen, CutsLabelsLongerThanTheirFields) {
  auto figures = trade_figures(600, 2007, 6);
  figures.periods[0].label = "A label of thirty characters..";
  Partnership(figures);
  user.act({FormAction::Type(1043, "typed"), FormAction::Type(1072, "typed"), FormAction::Ok()});
  CUITF40AdjustmentUI::RunPartnershipScreen(2008, kClient, 0);
  ASSERT_EQ(user.forms().size(), 1u);
  EXPECT_EQ(text(user.forms()[0].opened, 1043), "A label of thirty ch");
  EXPECT_EQ(user.forms()[0].refused.size(), 2u) << "labels are not typed over";
  EXPECT_EQ(text(user.forms()[0].closed, 1072), "Tax year");
}

TEST_F(UITF40Screen, AnOverrideChangesItsRowAndTheTotalsAndIsSavedOnOk) {
  const auto shared = Partnership(trade_figures(6000, 2007, 6));
  user.act({FormAction::Tick(1021, true), FormAction::Type(1019, "7000"), FormAction::Ok(),
            FormAction::Type(1019, "2500"), FormAction::Ok()});
  CUITF40AdjustmentUI::RunPartnershipScreen(2008, kClient, 0);
  ASSERT_EQ(user.forms().size(), 1u);
  const auto& run = user.forms()[0];
  EXPECT_TRUE(run.ok);
  ASSERT_EQ(run.refused.size(), 1u) << "OK with 7000 in row 2 is refused";
  EXPECT_EQ(run.refused[0].kind, FormAction::Kind::Ok);
  EXPECT_EQ(user.notices(), std::vector<std::string>{kNotice109});
  EXPECT_EQ(money(run.closed, 1019), 2500);
  EXPECT_EQ(money(run.closed, 1020), 1500) << "excess over the default";
  EXPECT_EQ(money(run.closed, 1034), 500) << "row 5 takes what is left after row 4";
  EXPECT_EQ(money(run.closed, 1039), 0);
  EXPECT_EQ(money(run.closed, 1042), 2500);
  EXPECT_TRUE(shared->GetPeriod(2)->IsOverridden());
  EXPECT_EQ(shared->GetPeriod(2)->GetOverrideAmount(), 2500);
  EXPECT_EQ(summary(shared->GetCommittedFigures()), summary(shared->Describe())) << "committed on OK";
}

TEST_F(UITF40Screen, AsksAboutLowProfitsOnOkOnlyWhereTheRunsRowHasATick) {
  CTaxBusinessObjectBroker::SetSoleTraderUITF40(kClient, kBusiness, trade_figures(6000, 2007, 6));
  user.queue('Y');
  user.act({FormAction::Ok(), FormAction::Type(1019, "800"), FormAction::Ok()});
  CUITF40AdjustmentUI::RunSoleTraderScreen(2008, kClient, kBusiness, 5000);  // a sixth is 833.33
  ASSERT_EQ(user.shown().size(), 1u);
  EXPECT_EQ(user.shown()[0].caption, "Velmar Tax");
  EXPECT_EQ(user.shown()[0].text, kPrompt110);
  EXPECT_EQ(user.shown()[0].buttons, "YN");
  EXPECT_EQ(user.shown()[0].default_button, 'N');
  ASSERT_EQ(user.forms().size(), 1u);
  EXPECT_TRUE(user.forms()[0].ok);
  UITF40AdjustmentData stored;
  ASSERT_TRUE(CTaxBusinessObjectBroker::GetSoleTraderUITF40(kClient, kBusiness, stored));
  EXPECT_TRUE(stored.periods[1].overridden);
  EXPECT_EQ(stored.periods[1].overrideAmount, 800);

  // 2011-12 is the last row, which has no tick: no question, the form closes.
  platform::ScriptedUser last_row;
  last_row.act({FormAction::Ok()});
  CUITF40AdjustmentUI::RunSoleTraderScreen(2012, kClient, kBusiness, 0);
  EXPECT_TRUE(last_row.shown().empty());
  ASSERT_EQ(last_row.forms().size(), 1u);
  EXPECT_TRUE(last_row.forms()[0].ok);
}

TEST_F(UITF40Screen, RefusesInstalmentsAboveTheTotalAndCancelKeepsTheSharedAdjustment) {
  const auto shared = Partnership(trade_figures(6000, 2007, 6));
  const std::string before = summary(shared->Describe());
  user.act({FormAction::Tick(1016, true), FormAction::Type(1014, "4000"), FormAction::Tick(1021, true),
            FormAction::Type(1019, "2500"), FormAction::Ok(), FormAction::Cancel()});
  CUITF40AdjustmentUI::RunPartnershipScreen(2008, kClient, 0);
  ASSERT_GE(user.shown().size(), 1u);
  EXPECT_EQ(user.shown()[0].text, kMessage112);
  EXPECT_EQ(user.shown()[0].caption, "Velmar Tax");
  ASSERT_EQ(user.forms().size(), 1u);
  EXPECT_FALSE(user.forms()[0].ok);
  EXPECT_EQ(summary(shared->Describe()), before);
}

TEST_F(UITF40Screen, AsksBeforeChangingTheFirstYear) {
  const auto shared = Partnership(trade_figures(600, 2006, 7));
  user.queue('N');
  user.queue('Y');
  user.act({FormAction::Enter(1010), FormAction::Choose(1009), FormAction::Choose(1009), FormAction::Ok()});
  CUITF40AdjustmentUI::RunPartnershipScreen(2008, kClient, 0);
  ASSERT_EQ(user.forms().size(), 1u);
  const auto& run = user.forms()[0];
  EXPECT_TRUE(shown(run.opened, 1009));
  EXPECT_TRUE(run.opened.find(1010)->checked) << "2006-07 unless 2005-06 is chosen";
  EXPECT_FALSE(shown(run.opened, 1016)) << "2005-06 charges nothing yet";
  ASSERT_EQ(user.shown().size(), 2u) << "entering the year in force asks nothing";
  EXPECT_EQ(user.shown()[0].text, kPrompt104);
  EXPECT_EQ(user.shown()[1].text, kPrompt104);
  ASSERT_EQ(run.refused.size(), 1u) << "No keeps 2006-07";
  EXPECT_TRUE(run.closed.find(1009)->checked);
  EXPECT_EQ(money(run.closed, 1014), 100) << "2005-06 now takes the first sixth";
  EXPECT_EQ(shared->GetFirstYearOfAdjustment(), 2006);
}

TEST_F(UITF40Screen, SaysWhenNoAdjustmentApplies) {
  auto figures = trade_figures(600, 2007, 6);
  figures.periodBeforeStartDate = false;
  Partnership(figures);
  CUITF40AdjustmentUI::RunPartnershipScreen(2006, kClient, 0);
  ASSERT_EQ(user.shown().size(), 1u);
  EXPECT_EQ(user.shown()[0].text, kMessage115);
  EXPECT_EQ(user.shown()[0].caption, "Velmar Tax");
  EXPECT_TRUE(user.forms().empty());

  CUITF40AdjustmentUI::RunPartnershipScreen(2007, kClient, 0);  // from 2006-07 there is no check
  EXPECT_EQ(user.forms().size(), 1u);

  CUITF40AdjustmentCTax company(figures);
  EXPECT_FALSE(CUITF40AdjustmentUI::RunCorporationScreen(2008, kClient, 0, company));
  ASSERT_EQ(user.shown().size(), 2u);
  EXPECT_EQ(user.shown()[1].text, kMessage105);
  EXPECT_EQ(user.forms().size(), 1u);

  platform::ReportCapture reports;
  CUITF40AdjustmentUI::RunPartnershipScreen(2008, PMCO_INT_REF{1, 999}, 0);  // no adjustment at all
  EXPECT_EQ(user.forms().size(), 1u);
  EXPECT_EQ(reports.lines().size(), 1u);
}

TEST_F(UITF40Screen, ShowsTheCTAPsOfASplitAccountPeriod) {
  const struct {
    std::vector<long> days;
    std::vector<long> shown;
    std::vector<long> hidden;
  } cases[] = {
      {{200, 165}, {1074, 1075, 1014, 1019}, {1076, 1022, 1024, 1026, 1077, 1027, 1029, 1031}},
      {{100, 100, 165}, {1076, 1024}, {1077, 1027, 1029, 1031}},
      {{100, 100, 100, 65}, {1077, 1029, 1031}, {}},
      {{73, 73, 73, 73, 73}, {1077, 1029, 1031}, {}},  // a fifth CTAP has no row
  };
  for (const auto& c : cases) {
    platform::ScriptedUser scripted;
    scripted.act({FormAction::Push(1075), FormAction::Ok(), FormAction::Ok()});
    CUITF40AdjustmentCTax company(company_figures(6000, 6, 3, c.days));
    EXPECT_TRUE(CUITF40AdjustmentUI::RunCorporationScreen(2009, kClient, 0, company));
    ASSERT_EQ(scripted.forms().size(), 2u) << c.days.size() << " CTAPs";
    const FormState& ctaps = scripted.forms()[0].opened;
    const FormState& main = scripted.forms()[1].opened;
    EXPECT_EQ(ctaps.dialog_id, 114u);
    EXPECT_TRUE(shown(main, 1075)) << "row 3's CTAPs button";
    EXPECT_FALSE(shown(main, 1026)) << "row 3 is overridden through its CTAPs";
    EXPECT_FALSE(shown(main, 1073));
    for (long id : c.shown) EXPECT_TRUE(shown(ctaps, id)) << c.days.size() << " CTAPs, control " << id;
    for (long id : c.hidden) EXPECT_FALSE(shown(ctaps, id)) << c.days.size() << " CTAPs, control " << id;
    EXPECT_EQ(text(ctaps, 1074), "CTAP 1");
    const double total_days = [&] { long sum = 0; for (long d : c.days) sum += d; return static_cast<double>(sum); }();
    EXPECT_NEAR(money(ctaps, 1012), 1000 * c.days[0] / total_days, 0.006) << c.days.size() << " CTAPs";
  }
}

TEST_F(UITF40Screen, CTAPsScreenOverridesOnOkAndRestoresOnCancel) {
  auto figures = company_figures(6000, 6, 3, {200, 165});
  figures.periods[2].ctaps[1].chargeable = false;
  CUITF40AdjustmentCTax company(figures);
  user.act({FormAction::Push(1075), FormAction::Tick(1016, true), FormAction::Type(1014, "1500"), FormAction::Ok(),
            FormAction::Ok()});
  EXPECT_TRUE(CUITF40AdjustmentUI::RunCorporationScreen(2009, kClient, 0, company));
  ASSERT_EQ(user.forms().size(), 2u);
  const FormState& ctaps = user.forms()[0].opened;
  for (long id : {1075, 1017, 1021, 1019}) EXPECT_FALSE(enabled(ctaps, id)) << "CTAP 2 charges nothing: " << id;
  EXPECT_EQ(money(user.forms()[1].closed, 1024), 1500) << "row 3 is the sum of its CTAPs";
  auto* period = static_cast<CUITF40AdjustmentAccountPeriod*>(company.GetPeriod(3));
  EXPECT_TRUE(period->GetCTAP(1)->IsOverridden());
  EXPECT_TRUE(company.GetCommittedFigures().periods[2].ctaps[0].overridden);

  // F8 clears the period's overrides; Cancel puts them back.
  platform::ScriptedUser again;
  again.act({FormAction::Push(1075), FormAction::Key(119), FormAction::Cancel(), FormAction::Ok()});
  EXPECT_TRUE(CUITF40AdjustmentUI::RunCorporationScreen(2009, kClient, 0, company));
  ASSERT_EQ(again.forms().size(), 2u);
  EXPECT_FALSE(again.forms()[0].closed.find(1016)->checked);
  EXPECT_FALSE(again.forms()[0].ok);
  EXPECT_TRUE(static_cast<CUITF40AdjustmentAccountPeriod*>(company.GetPeriod(3))->GetCTAP(1)->IsOverridden());
}

TEST_F(UITF40Screen, CancelLeavesTheCompanysAdjustmentAsItWas) {
  auto figures = company_figures(6000, 6, 3, {200, 165});
  figures.periods[0].overridden = true;
  figures.periods[0].overrideAmount = 1200;
  CUITF40AdjustmentCTax company(figures);
  company.GetPeriod(2)->SetOverridden(true);  // an edit the caller has not committed
  const std::string before = summary(company.Describe());
  user.act({FormAction::Tick(1016, false), FormAction::Push(1075), FormAction::Tick(1016, true),
            FormAction::Type(1014, "900"), FormAction::Ok(), FormAction::Type(1011, "9000"), FormAction::Cancel()});
  EXPECT_FALSE(CUITF40AdjustmentUI::RunCorporationScreen(2009, kClient, 0, company));
  ASSERT_EQ(user.forms().size(), 2u);
  EXPECT_TRUE(user.forms()[0].ok) << "the CTAPs screen was left with OK";
  EXPECT_EQ(summary(company.Describe()), before);
}

TEST_F(UITF40Screen, F8ClearsTheOverridesOrTheTotal) {
  auto figures = trade_figures(6000, 2007, 6);
  figures.periods[0].overridden = true;
  figures.periods[0].overrideAmount = 2000;
  const auto shared = Partnership(figures);
  user.act({FormAction::Key(119), FormAction::Ok()});
  CUITF40AdjustmentUI::RunPartnershipScreen(2008, kClient, 0);
  EXPECT_FALSE(shared->GetPeriod(1)->IsOverridden());
  EXPECT_EQ(shared->GetTotalAdjustment(), 6000);

  CUITF40AdjustmentCTax company(company_figures(6000, 6));
  user.act({FormAction::Key(119), FormAction::Ok()});
  EXPECT_TRUE(CUITF40AdjustmentUI::RunCorporationScreen(2008, kClient, 0, company));
  EXPECT_EQ(company.GetTotalAdjustment(), 0) << "a company's adjustment has no reset: F8 clears the total";
}

TEST_F(UITF40Screen, ACTAPsButtonDoesNothingOutsideACompanysAccountPeriods) {
  CUITF40AdjustmentTrades partnership(trade_figures(6000, 2007, 6));
  CUITF40AdjustmentUI screen(partnership);
  bool handled = false;
  EXPECT_EQ(screen.field_pushed(1073, handled), 0);
  EXPECT_EQ(screen.field_pushed(1090, handled), 0);
  EXPECT_TRUE(user.forms().empty()) << "no CTAPs screen was opened";
}

}  // namespace
