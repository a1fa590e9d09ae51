#include "qarntash/screens/asset_group_warning.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "platform/window_services.h"

TEST(AssetGroupChangeWarning, ContinuesOnlyWhenTheUserChoosesContinue) {
  const struct {
    std::deque<char> answers;
    bool continues;
  } rows[] = {{{}, true}, {{'C'}, true}, {{'A'}, false}, {{'N'}, true /* not offered: the default */}};
  for (const auto& row : rows) {
    platform::ScriptedUser user(row.answers);
    EXPECT_EQ(CAssetGroupChangeWarningUI().DisplayWarning(), row.continues);
    ASSERT_EQ(user.shown().size(), 1u);
    const platform::UserMessage& shown = user.shown()[0];
    EXPECT_EQ(shown.caption, "Fixed Asset Register");
    EXPECT_EQ(shown.captions, (std::vector<std::string>{"&Continue", "C&ancel"}));
    EXPECT_EQ(shown.default_button, 'C');
    EXPECT_EQ(shown.text,
              "You have selected to change the asset group.\nIf you choose to continue please consider the "
              "following:\n\nDoes the P/L Depreciation A/C need updating?\n\nDoes a recalculation of capital "
              "allowances need to be run in Business Tax?");
  }
}
