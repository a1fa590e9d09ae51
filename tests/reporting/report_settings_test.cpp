// Report layout settings: loaded once per user from the report-settings table (zorv3000.ttl) of
// a practice folder, falling back to user 0, cached until invalidated.
#include "qarntash/reporting/report_settings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/practice/demo_practice.h"
#include "platform/practice/settings.h"
#include "support/practice_folder.h"

namespace {

using test_support::DemoPractice;
using test_support::PracticeFolder;

// Drops the cached settings and chooses whose the next load takes.
void load_for(short user) {
  CHeaderSettings::SetUserID(user);
  CFooterSettings::SetUserID(user);
  CFlySheetSettings::SetUserID(user);
  CHeaderSettings::Invalidate();
  CFooterSettings::Invalidate();
  CFlySheetSettings::Invalidate();
}

class ReportSettings : public testing::Test {
 protected:
  ~ReportSettings() override { load_for(0); }
};

// A report-settings row for user 0: the key fields, then the tagged fields.
test_support::TaggedRecord settings_row(std::int32_t kind, std::int16_t user = 0) {
  const ZORV3000_REC key{kind, user, {}};
  return test_support::TaggedRecord(&key, 6);
}

TEST_F(ReportSettings, DecodesEachStoredCode) {
  const struct Row {
    std::int16_t client_name, report_title;
    std::int32_t date_text;
    std::int16_t placement, choice, option;
    int name_choice, name_a, name_b, name_enabled, title_choice, date_choice, date_a, page_placement, page_choice,
        page_a;
  } rows[] = {
      {0x03, 0x02, 0x07, 3, 3, 2, 1, 0, 0, 1, 0, 3, 0, 0, 0, 0},
      {0x02, 0x01, 0x401, 8, 2, 1, 2, 0, 0, 1, 1, 1, 1, 8, 2, 1},
      {0x1c, 0x1d, 0x02, 4, 1, 0, 0, 1, 1, 0, 1, 2, 0, 4, 1, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "codes " << row.client_name << " " << row.report_title << " " << row.date_text);
    PracticeFolder practice({"zorv3000.ttl"});
    auto header_row = settings_row(kZorv3000Header);
    header_row.add(500, row.client_name).add(501, row.report_title).add(502, row.date_text);
    ASSERT_EQ(practice.insert("zorv3000.ttl", header_row.data(), header_row.size()), 0);
    auto footer = settings_row(kZorv3000Footer);
    footer.add(1700, row.placement).add(1701, row.choice).add(1702, row.option).add(1703, std::int16_t{0});
    ASSERT_EQ(practice.insert("zorv3000.ttl", footer.data(), footer.size()), 0);
    load_for(0);
    const CHeaderSettings* header = CHeaderSettings::Instance();
    ASSERT_NE(header, nullptr);
    const CReportHeadings& h = header->m_Headings;
    EXPECT_EQ(+h.m_ClientName.m_Choice, row.name_choice);
    EXPECT_EQ(+h.m_ClientName.m_OptionA, row.name_a);
    EXPECT_EQ(+h.m_ClientName.m_OptionB, row.name_b);
    EXPECT_EQ(+h.m_ClientName.m_Enabled, row.name_enabled);
    EXPECT_EQ(+h.m_ReportTitle.m_Choice, row.title_choice);
    EXPECT_EQ(+h.m_DateText.m_Choice, row.date_choice);
    EXPECT_EQ(+h.m_DateText.m_OptionA, row.date_a);
    const CFooterSettings* footer_settings = CFooterSettings::Instance();
    EXPECT_EQ(+footer_settings->m_PageNumber.m_Placement, row.page_placement);
    EXPECT_EQ(+footer_settings->m_PageNumber.m_Choice, row.page_choice);
    EXPECT_EQ(+footer_settings->m_PageNumber.m_OptionA, row.page_a);
    EXPECT_TRUE(footer_settings->GetIncludeContinued());
  }
}

TEST_F(ReportSettings, AUserWithoutARecordOfAKindTakesUserZeros) {
  PracticeFolder demo{DemoPractice{}};
  load_for(0);
  EXPECT_EQ(+CHeaderSettings::Instance()->m_Headings.m_DateText.m_Choice, 1);  // user 0's date code is 1
  load_for(platform::kDemoReportSettingsUser);
  const CHeaderSettings* header = CHeaderSettings::Instance();
  // User 7's header lacks the date field: 0, not what user 0's row held.
  EXPECT_EQ(+header->m_Headings.m_DateText.m_Choice, 0);
  EXPECT_EQ(+header->m_Headings.m_ClientName.m_Choice, 1);
  EXPECT_EQ(+header->m_Headings.m_ReportTitle.m_Choice, 0);
  EXPECT_TRUE(header->RuleOffHeader());  // standard options 0x30 from user 0
  const CFooterSettings* footer = CFooterSettings::Instance();
  EXPECT_EQ(+footer->m_PageNumber.m_Placement, 0);
  EXPECT_EQ(+footer->m_PageNumber.m_Choice, 2);
  EXPECT_EQ(+footer->m_PageNumber.m_OptionA, 1);
  EXPECT_FALSE(footer->GetIncludeContinued());
  EXPECT_TRUE(footer->RuleOffFooter());
  const CFlySheetSettings* fly = CFlySheetSettings::Instance();  // user 0's fly sheet
  EXPECT_EQ(fly->GetWidth(), 80);
  EXPECT_EQ(fly->GetDrop(), 10);
  EXPECT_EQ(fly->GetAgentDetailsTextType(), 1);
}

TEST_F(ReportSettings, WithNoRecordOrNoTableEveryCodeIsZero) {
  for (bool with_table : {true, false}) {
    SCOPED_TRACE(with_table ? "empty table" : "no table");
    const std::string table = with_table ? "zorv3000.ttl" : "zorv2000.ttl";
    PracticeFolder practice({table});
    load_for(5);
    const CHeaderSettings* header = CHeaderSettings::Instance();
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(+header->m_Headings.m_ClientName.m_Choice, 0);
    EXPECT_EQ(+header->m_Headings.m_ClientName.m_OptionB, 0);
    EXPECT_EQ(+header->m_Headings.m_ClientName.m_Enabled, 1);
    EXPECT_TRUE(header->m_Headings.m_ClientName.IsValid() && header->m_Headings.m_ReportTitle.IsValid() &&
                header->m_Headings.m_DateText.IsValid());
    EXPECT_FALSE(header->IsValid());
    EXPECT_FALSE(header->RuleOffHeader());
    const CFooterSettings* footer = CFooterSettings::Instance();
    EXPECT_EQ(+footer->m_PageNumber.m_Placement, 0);  // not the constructor's 1
    EXPECT_TRUE(footer->m_PageNumber.IsValid());
    EXPECT_TRUE(footer->GetIncludeContinued());
    EXPECT_FALSE(footer->RuleOffFooter());
    EXPECT_EQ(CFlySheetSettings::Instance()->GetWidth(), 0);
  }
}

TEST_F(ReportSettings, ANewUserTakesEffectOnlyAfterInvalidate) {
  PracticeFolder demo{DemoPractice{}};
  load_for(0);
  const CFooterSettings* user0 = CFooterSettings::Instance();
  EXPECT_EQ(+user0->m_PageNumber.m_Placement, 1);
  CFooterSettings::SetUserID(platform::kDemoReportSettingsUser);
  EXPECT_EQ(CFooterSettings::Instance(), user0);
  EXPECT_EQ(+CFooterSettings::Instance()->m_PageNumber.m_Placement, 1);
  CFooterSettings::Invalidate();
  CFooterSettings::Invalidate();  // nothing cached: does nothing
  EXPECT_EQ(+CFooterSettings::Instance()->m_PageNumber.m_Placement, 0);
}

TEST_F(ReportSettings, EachDataAccessObjectClosesOnlyItsOwnTable) {
  PracticeFolder demo{DemoPractice{}};
  CReportSettingsDataAccess_BT first(0);
  {
    CReportSettingsDataAccess_BT second(platform::kDemoReportSettingsUser);
    first = second;                              // takes the user, keeps its own table
    CReportSettingsDataAccess_BT third(second);  // opens a table of its own
  }
  load_for(0);
  const CFooterSettings* footer = CFooterSettings::Instance();
  first.getSettings(const_cast<CFooterSettings*>(footer));
  EXPECT_EQ(+footer->m_PageNumber.m_Placement, 0);  // user 7's footer, read through first's table
  EXPECT_FALSE(footer->GetIncludeContinued());
  first.getSettings(static_cast<CFooterSettings*>(nullptr));
}

}  // namespace
