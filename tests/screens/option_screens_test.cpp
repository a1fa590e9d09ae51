// The computation options and tax return options screens, driven by a scripted user over practice
// folders: what they show, what OK saves (bit by bit), that Cancel saves nothing, and which
// sections each product sees.
#include <gtest/gtest.h>

#include <string>

#include "platform/session.h"
#include "platform/window_services.h"
#include "qarntash/screens/computation_options.h"
#include "qarntash/screens/tax_return_options.h"
#include "screens/stored_defaults.h"

namespace {

using platform::FormAction;
using test_support::DemoPractice;
using test_support::PracticeFolder;

// The session's product for one test, put back afterwards.
class SessionProduct {
 public:
  explicit SessionProduct(const char* code) { platform::set_session_product(code); }
  ~SessionProduct() { platform::set_session_product(""); }
};

bool checked(const platform::FormState& form, long id) { return form.find(id) != nullptr && form.find(id)->checked; }
bool visible(const platform::FormState& form, long id) { return form.find(id) != nullptr && form.find(id)->visible; }

TEST(ComputationOptionsScreen, WithNoEntryOpensOnInterimWithTheEmploymentLockSet) {
  PracticeFolder empty;
  SessionProduct product("RUVO");
  platform::ScriptedUser user;
  user.act({FormAction::Cancel()});
  CComputationOptionsUI::doComputationOptionsScreen();
  ASSERT_EQ(user.forms().size(), 1u);
  const platform::FormState& opened = user.forms()[0].opened;
  EXPECT_EQ(opened.title, "Computation Options");
  EXPECT_TRUE(checked(opened, 1057));
  EXPECT_FALSE(checked(opened, 1058) || checked(opened, 1056));
  EXPECT_FALSE(checked(opened, 1054));
  EXPECT_TRUE(checked(opened, 1123));
  ZORV2000_ENTRY19_TLD stored{};
  EXPECT_FALSE(test_support::stored_entry(empty, kZorv2000ComputationOptions, zorv2000_entry19_tagged_fields(), stored));
}

TEST(ComputationOptionsScreen, ShowsEachSectionOnlyToItsProduct) {
  const struct {
    const char* product;
    bool employment, suppress;
  } rows[] = {
      {"RUVO", true, false},
      {"ZORVBTAX", false, true},
      {"ZORVTRUST", false, false},
      {"", false, false},
      {"RUVOX", false, false},              // exact comparison
      {"ZORVBTAXZORVBTAXZ", false, false},  // fills the block to its end, with no 0 byte
  };
  PracticeFolder demo{DemoPractice{}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.product);
    SessionProduct product(row.product);
    platform::ScriptedUser user;
    user.act({FormAction::Cancel()});
    CComputationOptionsUI::doComputationOptionsScreen();
    ASSERT_EQ(user.forms().size(), 1u);
    const platform::FormState& opened = user.forms()[0].opened;
    EXPECT_EQ(visible(opened, 1123), row.employment);
    EXPECT_EQ(visible(opened, 1129), row.employment);
    EXPECT_EQ(visible(opened, 1059), row.suppress);
    EXPECT_EQ(visible(opened, 1060), row.suppress);
    EXPECT_TRUE(visible(opened, 1054));
    // The demo's values, shown or not.
    EXPECT_TRUE(checked(opened, 1123));
    EXPECT_TRUE(checked(opened, 1060));
    EXPECT_FALSE(checked(opened, 1059));
  }
}

TEST(ComputationOptionsScreen, OkSavesEachFieldAndKeepsOtherBits) {
  PracticeFolder demo{DemoPractice{}};
  SessionProduct product("ZORVBTAX");
  platform::ScriptedUser user;
  user.act({FormAction::Tick(1054, true), FormAction::Choose(1058), FormAction::Tick(1059, true),
            FormAction::Tick(1060, false), FormAction::Ok()});
  CComputationOptionsUI::doComputationOptionsScreen();
  ASSERT_EQ(user.forms().size(), 1u);
  EXPECT_TRUE(user.forms()[0].ok);
  EXPECT_TRUE(user.forms()[0].refused.empty());
  ZORV2000_ENTRY19_TLD stored{};
  ASSERT_TRUE(test_support::stored_entry(demo, kZorv2000ComputationOptions, zorv2000_entry19_tagged_fields(), stored));
  EXPECT_EQ(stored.date_time_stamp, 'Y');
  EXPECT_EQ(stored.computation_status[0], 1);
  EXPECT_EQ(+stored.employment_flags, 0x81);  // the hidden lock read back as it was shown
  EXPECT_EQ(+stored.suppress_flags, 0x11);
  EXPECT_EQ(stored.unused_156, 'A');
}

TEST(ComputationOptionsScreen, CancelSavesNothing) {
  PracticeFolder demo{DemoPractice{}};
  ZORV2000_ENTRY19_TLD before{};
  ASSERT_TRUE(test_support::stored_entry(demo, kZorv2000ComputationOptions, zorv2000_entry19_tagged_fields(), before));
  SessionProduct product("RUVO");
  platform::ScriptedUser user({'Y'});  // yes, abandon the changes
  user.act({FormAction::Tick(1054, true), FormAction::Tick(1123, false), FormAction::Cancel()});
  CComputationOptionsUI::doComputationOptionsScreen();
  ASSERT_EQ(user.forms().size(), 1u);
  EXPECT_FALSE(user.forms()[0].ok);
  ZORV2000_ENTRY19_TLD after{};
  ASSERT_TRUE(test_support::stored_entry(demo, kZorv2000ComputationOptions, zorv2000_entry19_tagged_fields(), after));
  EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
}

TEST(TaxReturnOptionsScreen, WithNoEntryOpensOnTheDefaultsAndOkInsertsTheEntry) {
  PracticeFolder empty;
  platform::ScriptedUser user;
  user.act({FormAction::Ok()});
  CTaxReturnOptionsUI::doTaxReturnOptionsScreen();
  ASSERT_EQ(user.forms().size(), 1u);
  const platform::FormState& opened = user.forms()[0].opened;
  EXPECT_EQ(opened.title, "Tax Return Options ");
  for (long id : {1003L, 1051L, 1122L, 1123L, 1124L, 1125L}) EXPECT_TRUE(checked(opened, id)) << id;
  for (long id : {1004L, 1005L, 1006L, 1007L, 1052L, 1050L, 1126L, 1128L}) EXPECT_FALSE(checked(opened, id)) << id;
  ZORV2000_ENTRY16_TLD stored{};
  ASSERT_TRUE(test_support::stored_entry(empty, kZorv2000TaxReturnOptions, zorv2000_entry16_tagged_fields(), stored));
  EXPECT_EQ(stored.return_identifier[0], 1);
  EXPECT_EQ(stored.return_status[0], 2);
  EXPECT_EQ(+stored.lock_flags, 0x07);
  EXPECT_STREQ(stored.echecklist_current, "Y");
  EXPECT_STREQ(stored.benefit_summaries, "N");
}

TEST(TaxReturnOptionsScreen, ShowsThePracticeValuesAndOkSavesEachField) {
  PracticeFolder demo{DemoPractice{}};
  platform::ScriptedUser user;
  user.act({FormAction::Choose(1005), FormAction::Tick(1006, true), FormAction::Tick(1007, false),
            FormAction::Choose(1050), FormAction::Tick(1122, false), FormAction::Tick(1124, true),
            FormAction::Choose(1126), FormAction::Tick(1128, false), FormAction::Ok()});
  CTaxReturnOptionsUI::doTaxReturnOptionsScreen();
  ASSERT_EQ(user.forms().size(), 1u);
  const platform::FormState& opened = user.forms()[0].opened;
  for (long id : {1004L, 1007L, 1052L, 1122L, 1125L, 1128L}) EXPECT_TRUE(checked(opened, id)) << id;
  for (long id : {1006L, 1123L, 1124L}) EXPECT_FALSE(checked(opened, id)) << id;
  EXPECT_TRUE(user.forms()[0].ok);

  ZORV2000_ENTRY16_TLD stored{};
  ASSERT_TRUE(test_support::stored_entry(demo, kZorv2000TaxReturnOptions, zorv2000_entry16_tagged_fields(), stored));
  EXPECT_EQ(stored.return_identifier[0], 3);
  EXPECT_EQ(stored.return_status[0], 3);
  EXPECT_STREQ(stored.default_date, "Y");
  EXPECT_STREQ(stored.print_phone, "N");
  EXPECT_STREQ(stored.echecklist_current, "N");
  EXPECT_STREQ(stored.benefit_summaries, "N");
  EXPECT_EQ(+stored.lock_flags, 0x40 | 0x04);
}

}  // namespace
