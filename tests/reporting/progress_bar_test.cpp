// The progress window as the user sees it: the message of field 704 and the position of bar 705
// at each repaint.
#include "qarntash/reporting/progress_bar.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/window_services.h"

namespace {

int position(const platform::FormState& form) { return form.find(705)->position; }
std::string message(const platform::FormState& form) { return form.find(704)->text; }

// Each test starts and ends with the window closed.
class ProgressBar : public ::testing::Test {
 protected:
  void TearDown() override { End_Progress_Bar_prog010(); }
  platform::ScriptedUser user;
};

TEST_F(ProgressBar, StartShowsTheTitleAndMessageAtNothing) {
  EXPECT_EQ(Start_Progress_Bar_prog010(nullptr, "Printing returns", "Starting"), 0);
  ASSERT_FALSE(user.modeless_paints().empty());
  const platform::FormState& shown = user.modeless_paints().back();
  EXPECT_EQ(shown.title, "Printing returns");
  EXPECT_EQ(message(shown), "Starting");
  EXPECT_EQ(position(shown), 0);
  EXPECT_TRUE(user.modeless_open());
}

TEST_F(ProgressBar, AboveAHundredChangesNothingAndAHundredFills) {
  Start_Progress_Bar_prog010(nullptr, "t", "m");
  Update_Progress_Bar_prog010(40, "Smith");
  const std::size_t paints = user.modeless_paints().size();
  Update_Progress_Bar_prog010(101, "x");
  EXPECT_EQ(user.modeless_paints().size(), paints);
  Update_Progress_Bar_prog010(100, "Done");
  EXPECT_EQ(position(user.modeless_paints().back()), 100);
  EXPECT_EQ(message(user.modeless_paints().back()), "Done");
  EXPECT_EQ(user.modeless_paints().back().focus, 705);   // put there by the update before
}

TEST_F(ProgressBar, TheHundredAndFirstFixedStepShowsOne) {
  Start_Progress_Bar_prog010(nullptr, "t", "m");
  for (int step = 1; step <= 100; ++step) Update_Progress_Bar_Fixed_prog010("client");
  EXPECT_EQ(position(user.modeless_paints().back()), 100);
  Update_Progress_Bar_Fixed_prog010("client 101");
  EXPECT_EQ(position(user.modeless_paints().back()), 1);
  EXPECT_EQ(user.notices().back(), "client 101");
  // A fresh start counts from the beginning again.
  End_Progress_Bar_prog010();
  Start_Progress_Bar_prog010(nullptr, "t", "m");
  Update_Progress_Bar_Fixed_prog010("again");
  EXPECT_EQ(position(user.modeless_paints().back()), 1);
}

TEST_F(ProgressBar, SpeedUpdatesCycleFromTwoToNinetyEightThenOne) {
  Start_Progress_Bar_prog010(nullptr, "t", "m");
  Update_Progress_Bar_Speed(40, "known");
  EXPECT_EQ(position(user.modeless_paints().back()), 40);
  for (int expected = 2; expected <= 98; ++expected) {
    Update_Progress_Bar_Speed(0, "working");
    ASSERT_EQ(position(user.modeless_paints().back()), expected);
  }
  Update_Progress_Bar_Speed(0, "working");
  EXPECT_EQ(position(user.modeless_paints().back()), 1);
}

TEST_F(ProgressBar, EndClosesOnceAndClearsTheNotice) {
  EXPECT_EQ(End_Progress_Bar_prog010(), 0);   // nothing open: nothing happens
  EXPECT_TRUE(user.notices().empty());
  Start_Progress_Bar_prog010(nullptr, "t", "m");
  End_Progress_Bar_prog010();
  EXPECT_FALSE(user.modeless_open());
  EXPECT_EQ(user.notices(), (std::vector<std::string>{""}));
  End_Progress_Bar_prog010();
  EXPECT_EQ(user.notices().size(), 1u);
}

TEST_F(ProgressBar, MessagesAreCutToSeventyNineCharacters) {
  Start_Progress_Bar_prog010(nullptr, "t", "m");
  const std::string long_message(200, 'x');
  Update_Progress_Bar_prog010(5, long_message.c_str());
  EXPECT_EQ(message(user.modeless_paints().back()), std::string(79, 'x'));
  Update_Progress_Bar_prog010(6, nullptr);
  EXPECT_EQ(message(user.modeless_paints().back()), "");
}

}  // namespace
