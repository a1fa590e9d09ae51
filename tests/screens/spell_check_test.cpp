// The spell check over a form's text fields, with the British English dictionary.
#include "qarntash/screens/spell_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "platform/errors.h"
#include "platform/window_services.h"
#include "qarntash/library.h"

namespace {

using platform::SpellAnswer;

// Two text fields of the UITF 40 dialog.
class NotesForm : public fp_FORM {
 public:
  NotesForm() : fp_FORM(104, qarntash_instance()), heading_(1072, 20, 0, 0), untaxed_(1049, 50, 0, 0) { open(true); }
  fp_STRING_FIELD heading_;
  fp_STRING_FIELD untaxed_;
};

class SpellCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::set_dictionary_stem("");
    if (!std::ifstream(platform::dictionary_stem() + ".dic")) GTEST_SKIP() << "no en_GB dictionary";
  }
  void TearDown() override { platform::set_dictionary_stem(""); }
  platform::ScriptedUser user;
  NotesForm form;
};

TEST_F(SpellCheck, NothingToCheckSucceedsWithoutAsking) {
  form.heading_.set("Tpyo");
  EXPECT_EQ(SpellCheckFields(&form, 0L), 1);
  EXPECT_EQ(SpellCheckFields(nullptr, 1072L, 0L), 1);
  EXPECT_EQ(SpellCheckFields(&form, -5L, 1072L, 0L), 1);
  EXPECT_TRUE(user.spelling_queries().empty());
}

TEST_F(SpellCheck, AReplacementIsWrittenBackIntoTheField) {
  form.heading_.set("Recieved in 2005-06");
  form.untaxed_.set("Colour of the adjustmnt");
  user.spell(SpellAnswer::Replace("Received"));
  user.spell(SpellAnswer::Replace("adjustment"));
  EXPECT_EQ(SpellCheckFields(&form, 1072L, 1049L, 0L), 1);
  EXPECT_STREQ(form.heading_.get(), "Received in 2005-06");
  EXPECT_STREQ(form.untaxed_.get(), "Colour of the adjustment");   // British spelling passes
  ASSERT_EQ(user.spelling_queries().size(), 2u);
  EXPECT_EQ(user.spelling_queries()[0].field_id, 1072);   // the fields in the order given
  EXPECT_EQ(user.spelling_queries()[0].word, "Recieved");
  EXPECT_EQ(user.spelling_queries()[1].field_id, 1049);
  const auto& suggestions = user.spelling_queries()[0].suggestions;
  EXPECT_NE(std::find(suggestions.begin(), suggestions.end(), "Received"), suggestions.end());
  EXPECT_TRUE(user.shown().empty());
}

TEST_F(SpellCheck, AnIgnoredWordIsNotAskedAgainAndAReplacementIsCutToTheField) {
  form.heading_.set("qwzx qwzx abcdefghij");
  user.spell(SpellAnswer::Ignore());
  user.spell(SpellAnswer::Replace("a much longer replacement text"));
  EXPECT_EQ(SpellCheckFields(&form, 1072L, 0L), 1);
  EXPECT_EQ(user.spelling_queries().size(), 2u);
  EXPECT_STREQ(form.heading_.get(), "qwzx qwzx a much lon");
}

TEST_F(SpellCheck, CancelShowsOneMessageAndReturnsNothingChecked) {
  form.heading_.set("Tpyo one");
  form.untaxed_.set("Anuther");
  user.spell(SpellAnswer::Cancel());
  EXPECT_EQ(SpellCheckFields(&form, 1072L, 1049L, 0L), 0);
  EXPECT_EQ(user.spelling_queries().size(), 1u);
  EXPECT_STREQ(form.heading_.get(), "Tpyo one");
  ASSERT_EQ(user.shown().size(), 1u);
  EXPECT_EQ(user.shown()[0].text, "Spell check cancelled");
}

TEST_F(SpellCheck, AMissingDictionaryIsAClearError) {
  platform::ReportCapture reports;
  platform::set_dictionary_stem("/nonexistent/xx_XX");
  form.heading_.set("Tpyo");
  EXPECT_EQ(SpellCheckFields(&form, 1072L, 0L), 0);
  EXPECT_TRUE(reports.contains("no dictionary at /nonexistent/xx_XX.aff"));
  ASSERT_EQ(user.shown().size(), 2u);
  EXPECT_EQ(user.shown()[0].text, "The spelling dictionary /nonexistent/xx_XX.dic could not be found.");
  EXPECT_EQ(user.shown()[1].text, "Spell check cancelled");
  EXPECT_STREQ(form.heading_.get(), "Tpyo");
}

}  // namespace
