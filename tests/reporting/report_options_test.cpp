// Report options over practice folders, and the "Report Options" screen driven by a scripted
// user: how it is arranged for each report type (what is hidden, where things move, the dialog's
// new height) and what OK and Cancel leave in the options.
#include "qarntash/reporting/report_options.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/window_services.h"
#include "support/practice_folder.h"

namespace {

using platform::FormAction;
using test_support::DemoPractice;
using test_support::PracticeFolder;

const platform::FormRun& run_screen(platform::ScriptedUser& user, CReportOptions& options, bool* confirmed = nullptr) {
  const bool ok = CReportOptionsUI::doReportOptionsScreen(options);
  if (confirmed != nullptr) *confirmed = ok;
  return user.forms().back();
}

TEST(ReportOptions, TakesTheStatusFromThePracticeOptionsOfItsType) {
  PracticeFolder demo{DemoPractice{}};  // tax returns final, computations interim
  const struct {
    ReportType type;
    Status status;
    const char* stage;
  } rows[] = {{REPORT_COMPUTATION, STATUS_INTERIM, ""},
              {REPORT_TAX_RETURN, STATUS_FINAL, ""},
              {REPORT_TAX_RETURN_WITH_BLANK, STATUS_FINAL, ""},
              {REPORT_COMPUTATION_WITH_SECTIONS, STATUS_INTERIM, "Incomplete"},
              {REPORT_TAX_RETURN_WITH_STAGE, STATUS_FINAL, "Incomplete"},
              {REPORT_TAX_RETURN_STATUS_ONLY, STATUS_FINAL, ""}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.type);
    const CReportOptions options(row.type);  // one argument: the stage is not complete
    EXPECT_EQ(options.GetReportStatus(), row.status);
    EXPECT_STREQ(options.GetStageOfComp().c_str(), row.stage);
    EXPECT_FALSE(options.GetIsStageComplete());
    EXPECT_FALSE(options.GetPrintBlank());
    EXPECT_TRUE(options.GetPaymentOnAcount() && options.GetAllocationOfAllowances() && options.GetOptionsDataUsed());
  }
  EXPECT_STREQ(CReportOptions(REPORT_TAX_RETURN_WITH_STAGE, true).GetStageOfComp().c_str(), "Complete");
}

TEST(ReportOptionsScreen, IsArrangedForEachReportType) {
  PracticeFolder empty;
  // Dialog 107 is 180 high; the blank return group starts at 36, the sections group at 66 and
  // the stage group at 110 (ending at 152); OK sits at 160.
  const struct Row {
    ReportType type;
    bool allocation;
    int height, ok_y, sections_y, sections_height, stage_y;
    std::set<long> shown;
  } rows[] = {
      {REPORT_COMPUTATION, true, 64, 44, 66, 40, 110, {1059, 1061, 1062, 1060}},
      {REPORT_TAX_RETURN, true, 64, 44, 66, 40, 110, {1059, 1061, 1062, 1060}},
      {REPORT_TAX_RETURN_STATUS_ONLY, true, 64, 44, 66, 40, 110, {1059, 1061, 1062, 1060}},
      {REPORT_TAX_RETURN_WITH_BLANK, true, 90, 70, 66, 40, 110, {1059, 1061, 1062, 1060, 1069, 1063}},
      {REPORT_COMPUTATION_WITH_SECTIONS, true, 150, 130, 36, 40, 80,
       {1059, 1061, 1062, 1060, 1065, 1064, 1071, 1066, 1068, 1067}},
      {REPORT_COMPUTATION_WITH_SECTIONS, false, 140, 120, 36, 30, 70,
       {1059, 1061, 1062, 1060, 1065, 1064, 1066, 1068, 1067}},
      {REPORT_TAX_RETURN_WITH_STAGE, true, 134, 114, 66, 40, 64, {1059, 1061, 1062, 1060, 1069, 1063, 1066, 1068, 1067}},
      {REPORT_TAX_RETURN_WITH_STAGE, false, 134, 114, 66, 40, 64, {1059, 1061, 1062, 1060, 1069, 1063, 1066, 1068, 1067}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "type " << row.type << (row.allocation ? "" : " without allocation"));
    CReportOptions options(row.type, true);
    options.SetAllocationOfAllowances(row.allocation);
    platform::ScriptedUser user;
    user.act({FormAction::Cancel()});
    const platform::FormState& opened = run_screen(user, options).opened;
    EXPECT_EQ(opened.title, "Report Options");
    EXPECT_EQ(opened.height, row.height);
    EXPECT_EQ(opened.find(1)->rect.y, row.ok_y);
    EXPECT_EQ(opened.find(2)->rect.y, row.ok_y);
    EXPECT_EQ(opened.find(1065)->rect.y, row.sections_y);
    EXPECT_EQ(opened.find(1065)->rect.height, row.sections_height);
    EXPECT_EQ(opened.find(1064)->rect.y, row.sections_y + 12);
    EXPECT_EQ(opened.find(1066)->rect.y, row.stage_y);
    EXPECT_EQ(opened.find(1067)->rect.y, row.stage_y + 12);
    for (long id : {1059L, 1061L, 1062L, 1060L, 1069L, 1063L, 1065L, 1064L, 1071L, 1066L, 1068L, 1067L}) {
      EXPECT_EQ(opened.find(id)->visible, row.shown.count(id) == 1) << "control " << id;
    }
    EXPECT_FALSE(opened.find(1063)->checked);
    if (row.type == REPORT_COMPUTATION_WITH_SECTIONS) {
      EXPECT_TRUE(opened.find(1064)->checked);
      EXPECT_EQ(opened.find(1071)->checked, row.allocation);
    }
    if (row.shown.count(1067) == 1) {
      EXPECT_EQ(opened.find(1067)->text, "Complete");
      EXPECT_TRUE(opened.find(1067)->display_only);
    }
  }
}

TEST(ReportOptionsScreen, OpensOnThePracticeStatusAndOkTakesTheChoices) {
  PracticeFolder demo{DemoPractice{}};
  CReportOptions blank_return(REPORT_TAX_RETURN_WITH_BLANK);
  platform::ScriptedUser user;
  user.act({FormAction::Choose(1060), FormAction::Tick(1063, true), FormAction::Ok()});
  bool confirmed = false;
  const platform::FormRun& run = run_screen(user, blank_return, &confirmed);
  EXPECT_TRUE(run.opened.find(1061)->checked);  // the practice's tax return default: final
  EXPECT_TRUE(confirmed);
  EXPECT_EQ(blank_return.GetReportStatus(), STATUS_UNRECORDED);
  EXPECT_TRUE(blank_return.GetPrintBlank());
  // The hidden section ticks were never ticked: OK reads them back as they are.
  EXPECT_FALSE(blank_return.GetPaymentOnAcount());
  EXPECT_FALSE(blank_return.GetAllocationOfAllowances());
}

TEST(ReportOptionsScreen, GreyedStatusButtonsKeepTheStatusOnOk) {
  PracticeFolder empty;
  CReportOptions options(REPORT_COMPUTATION);
  options.SetReportStatus(STATUS_UNRECORDED);
  options.SetGreyAdminOptions(true);
  platform::ScriptedUser user;
  user.act({FormAction::Choose(1061), FormAction::Ok()});
  const platform::FormRun& run = run_screen(user, options);
  ASSERT_EQ(run.refused.size(), 1u);  // the greyed button could not be chosen
  EXPECT_FALSE(run.opened.find(1061)->enabled);
  EXPECT_TRUE(run.opened.find(1060)->checked);
  EXPECT_EQ(options.GetReportStatus(), STATUS_UNRECORDED);
}

TEST(ReportOptionsScreen, HiddenAllocationStaysOffAfterOk) {
  PracticeFolder empty;
  CReportOptions options(REPORT_COMPUTATION_WITH_SECTIONS, false);
  options.SetAllocationOfAllowances(false);
  platform::ScriptedUser user;
  user.act({FormAction::Tick(1064, false), FormAction::Ok()});
  run_screen(user, options);
  EXPECT_FALSE(options.GetAllocationOfAllowances());
  EXPECT_FALSE(options.GetPaymentOnAcount());
  EXPECT_STREQ(options.GetStageOfComp().c_str(), "Incomplete");
}

TEST(ReportOptionsScreen, CancelLeavesEveryFieldAsItWas) {
  PracticeFolder empty;
  CReportOptions options(REPORT_TAX_RETURN_WITH_STAGE, true);
  options.SetPrintBlank(true);
  options.SetPayOnAccount(false);
  const std::string long_stage(40, 'x');
  options.SetStageOfComp(long_stage.c_str());
  platform::ScriptedUser user;
  user.act({FormAction::Choose(1061), FormAction::Tick(1063, true), FormAction::Cancel()});
  bool confirmed = true;
  const platform::FormRun& run = run_screen(user, options, &confirmed);
  EXPECT_FALSE(confirmed);
  EXPECT_EQ(run.opened.find(1067)->text, std::string(30, 'x'));  // the field holds 30 characters
  EXPECT_EQ(options.GetReportStatus(), STATUS_INTERIM);
  EXPECT_TRUE(options.GetPrintBlank());
  EXPECT_FALSE(options.GetPaymentOnAcount());
  EXPECT_TRUE(options.GetAllocationOfAllowances());
  EXPECT_EQ(std::string(options.GetStageOfComp().c_str()), long_stage);
}

}  // namespace
