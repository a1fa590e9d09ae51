#include "platform/window_services.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

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

TEST(UserChannel, PromptCaptionsMarkEachButtonsLetter) {
  const struct {
    const char* buttons;
    char default_letter;
    std::deque<char> answers;
    char expected;
    const char* letters;
  } rows[] = {
      {"&Yes|&No", 'N', {}, 'N', "YN"},
      {"&Yes|&No", 'N', {'Y'}, 'Y', "YN"},
      {"&Continue|C&ancel", 'C', {'A'}, 'A', "CA"},
      {"&Continue|C&ancel", 'C', {'Z'}, 'C', "CA"},   // a letter not offered is the default
      {"&Continue|C&ancel", 'X', {}, 'C', "CA"},      // a default not offered is the first button
      {"OK|Cancel", 'O', {}, 'O', "OC"},              // no '&': the first character
      {"YN", 'N', {}, 'N', "YN"},                     // letters, as older callers give them
  };
  for (const auto& row : rows) {
    platform::ScriptedUser user(row.answers);
    EXPECT_EQ(wp_promptbox("Velmar Tax", "Go?", row.buttons, row.default_letter, 0), row.expected) << row.buttons;
    EXPECT_EQ(user.shown()[0].buttons, row.letters) << row.buttons;
  }
}

TEST(UserChannel, ErrorDisplayAndNoticesReachTheUser) {
  platform::ScriptedUser user;
  error_display("Spell check cancelled");
  wp_displaytrivial("Printing Smith");
  EXPECT_STREQ(wp_trivialtext(), "Printing Smith");
  wp_displaytrivial("");
  ASSERT_EQ(user.shown().size(), 1u);
  EXPECT_EQ(user.shown()[0].caption, "Error");
  EXPECT_EQ(user.shown()[0].text, "Spell check cancelled");
  EXPECT_EQ(user.shown()[0].icon, platform::Icon::Stop);
  EXPECT_EQ(user.notices(), (std::vector<std::string>{"Printing Smith", ""}));
}

TEST(UserChannel, WindowCallsOnAWindowThatIsGoneDoNothing) {
  HWND stale = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x5));
  wp_focusoncontrol(stale, 1);
  wp_updatewindow(stale);
  wp_title("nobody");
  EXPECT_EQ(wp_senditemmessage(stale, 705, kPbmSetPos, 50, 0), 0);
}
