#include "platform/window_services.h"

#include <gtest/gtest.h>

namespace {

TEST(UserChannel, HeadlessUserTakesTheDefaultButton) {
  EXPECT_EQ(wp_messagebox_ex("Velmar Tax", "Continue?", kMbYesNo | kMbIconQuestion), kIdYes);
  EXPECT_EQ(wp_messagebox_ex("Velmar Tax", "Continue?", kMbYesNo | kMbDefButton2), kIdNo);
  EXPECT_EQ(wp_promptbox("Velmar Tax", "Save?", "YN", 'N', 0), 'N');
}

TEST(UserChannel, ScriptedUserAnswersInTurnAndRecordsWhatWasShown) {
  platform::ScriptedUser user({'N', 'Y', 'Z'});
  EXPECT_EQ(wp_messagebox_ex("Client status for Smith", "Is this business currently a client?",
                             kMbYesNo | kMbIconQuestion),
            kIdNo);
  EXPECT_EQ(wp_promptbox("Title", "Go?", "YN", 'N', 0), 'Y');
  // A letter that is not offered counts as the default.
  EXPECT_EQ(wp_promptbox("Title", "Again?", "YN", 'N', 0), 'N');
  wp_messagebox("Velmar Tax", "Done");
  ASSERT_EQ(user.shown().size(), 4u);
  EXPECT_EQ(user.shown()[0].caption, "Client status for Smith");
  EXPECT_EQ(user.shown()[0].buttons, "YN");
  EXPECT_EQ(user.shown()[0].icon, platform::Icon::Question);
  EXPECT_EQ(user.shown()[3].text, "Done");
  EXPECT_EQ(user.shown()[3].buttons, "O");
}

TEST(UserChannel, ScriptedUserRestoresThePreviousUser) {
  {
    platform::ScriptedUser outer({'N'});
    { platform::ScriptedUser inner; }
    EXPECT_EQ(wp_messagebox_ex("t", "x", kMbYesNo), kIdNo);
    EXPECT_EQ(outer.shown().size(), 1u);
  }
  EXPECT_EQ(wp_messagebox_ex("t", "x", kMbYesNo), kIdYes);
}

}  // namespace
