// The forms toolkit driven as a person would, through a ScriptedUser, on the library's own
// "Report Options" dialog (107).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/forms.h"
#include "platform/window_services.h"
#include "qarntash/library.h"
#include "support/virtual_slot.h"

using platform::FormAction;

namespace {

// A screen over dialog 107 that logs every handler call and can refuse on cue.
class LoggingScreen : public fp_FORM {
 public:
  LoggingScreen()
      : fp_FORM(107, qarntash_instance()),
        status_(1059),
        final_(1061, 1, 0),
        interim_(1062, 2, 0),
        unrecorded_(1060, 3, 0),
        blank_(1063, 0),
        payment_(1064, 0),
        allocation_(1071, 0),
        stage_(1067, 30, 0, 0),
        ok_(1, 0),
        cancel_(2, 0) {
    takeover_key_in_form(kKeyF8, "", 0, true);
    confirm_cancel(true);
    open(true);
    status_.set(2, true);
  }

  long field_entry(long id, bool&) override { return log("entry", id, refuse_entry_of == id ? refuse_entry_with : 0); }
  long field_exit(long id, unsigned long*, int, bool&) override { return log("exit", id, 0); }
  long field_validate(long id, bool, bool&) override { return log("validate", id, 0); }
  long field_pushed(long id, bool&) override { return log("pushed", id, 0); }
  long key_pressed(long id, unsigned long& key, bool&, bool&, bool&) override {
    log("key " + std::to_string(key), id, 0);
    stage_.set("F8 pressed");
    return 0;
  }
  long form_exit() override { return log("form_exit", 0, refusals_left-- > 0 ? 1063 : 0); }

  fp_RADIO_GROUP status_;
  fp_RADIO_FIELD final_, interim_, unrecorded_;
  fp_TICK_FIELD blank_, payment_, allocation_;
  fp_STRING_FIELD stage_;
  fp_BUTTON_FIELD ok_, cancel_;
  std::vector<std::string> calls;
  long refuse_entry_of = 0, refuse_entry_with = 0;
  int refusals_left = 0;

 private:
  long log(const std::string& what, long id, long result) {
    calls.push_back(what + (id != 0 ? " " + std::to_string(id) : ""));
    return result;
  }
};

}  // namespace

#if defined(QARNTASH_HAS_VIRTUAL_SLOTS)
using test_support::slot_of;

// Host programs derive their own screens from fp_FORM, so each operation must keep its slot. The
// destructor comes first and takes two slots under this ABI (complete and deleting destructor).
TEST(FormsToolkit, KeepsEachVirtualOperationInItsSlot) {
  using F = fp_FORM;
  const struct {
    std::ptrdiff_t slot;
    std::ptrdiff_t expected;
    const char* operation;
  } rows[] = {
      {slot_of(&F::process), 2, "process"},
      {slot_of(&F::common_field_entered), 3, "common_field_entered"},
      {slot_of(&F::common_field_exited), 4, "common_field_exited"},
      {slot_of(&F::field_entry), 5, "field_entry"},
      {slot_of(&F::field_exit), 6, "field_exit"},
      {slot_of(&F::field_pushed), 7, "field_pushed"},
      {slot_of(&F::field_browser), 8, "field_browser"},
      {slot_of(&F::field_validate), 9, "field_validate"},
      {slot_of(&F::form_exit), 10, "form_exit"},
      {slot_of(&F::key_pressed), 11, "key_pressed"},
      {slot_of(&F::dialog_procedure), 12, "dialog_procedure"},
      {slot_of(&F::registry_key), 13, "registry_key"},
      {slot_of(&F::notify), 14, "notify"},
  };
  for (const auto& row : rows) EXPECT_EQ(row.slot, row.expected) << row.operation;
}
#endif

TEST(FormsToolkit, ScriptedSessionLeavesValuesFocusAndHandlerOrder) {
  platform::ScriptedUser user;
  user.act({FormAction::Choose(1061), FormAction::Tick(1063, true), FormAction::Type(1067, "Complete"),
            FormAction::Key(kKeyF8), FormAction::Ok()});
  LoggingScreen screen;
  EXPECT_TRUE(screen.process());

  EXPECT_EQ(screen.status_.get(), 1u);
  EXPECT_EQ(screen.status_.get_ctrl_id_selected(), 1061);
  EXPECT_TRUE(screen.blank_.get());
  EXPECT_STREQ(screen.stage_.get(), "F8 pressed");
  EXPECT_EQ(screen.calls, (std::vector<std::string>{
                              "pushed 1061", "exit 1061", "validate 1061", "entry 1063",
                              "pushed 1063", "exit 1063", "validate 1063", "entry 1067", "key 119 1067",
                              "exit 1067", "validate 1067", "form_exit"}));
  ASSERT_EQ(user.forms().size(), 1u);
  const platform::FormRun& run = user.forms()[0];
  EXPECT_TRUE(run.ok);
  EXPECT_TRUE(run.refused.empty());
  EXPECT_EQ(run.opened.title, "Report Options");
  EXPECT_TRUE(run.opened.find(1062)->checked);
  EXPECT_TRUE(run.closed.find(1061)->checked);
  EXPECT_FALSE(run.closed.find(1062)->checked);
  EXPECT_EQ(run.closed.focus, 1067);
  EXPECT_FALSE(screen.is_open());
}

TEST(FormsToolkit, FormExitRefusalMovesTheFocusAndKeepsTheFormOpen) {
  platform::ScriptedUser user;
  user.act({FormAction::Ok(), FormAction::Ok()});
  LoggingScreen screen;
  screen.refusals_left = 1;
  EXPECT_TRUE(screen.process());
  ASSERT_EQ(user.forms().size(), 1u);
  EXPECT_EQ(user.forms()[0].refused.size(), 1u);   // the first OK
  EXPECT_EQ(user.forms()[0].closed.focus, 1063);
  EXPECT_EQ(std::count(screen.calls.begin(), screen.calls.end(), "form_exit"), 2);
}

TEST(FormsToolkit, EntryRefusalKeepsTheChoiceInForce) {
  platform::ScriptedUser user;
  user.act({FormAction::Choose(1060), FormAction::Ok()});
  LoggingScreen screen;
  screen.refuse_entry_of = 1060;
  screen.refuse_entry_with = 1062;
  EXPECT_TRUE(screen.process());
  EXPECT_EQ(screen.status_.get(), 2u);
  EXPECT_EQ(user.forms()[0].refused.size(), 1u);
}

TEST(FormsToolkit, WithNoUserInstalledAFormTakesCancelAndChangesNothing) {
  LoggingScreen screen;
  screen.blank_.set(true);
  EXPECT_FALSE(screen.process());
  EXPECT_TRUE(screen.blank_.get());
  EXPECT_EQ(screen.status_.get(), 2u);
  EXPECT_TRUE(screen.calls.empty());
}

TEST(FormsToolkit, ARunOutOfActionsIsCancel) {
  platform::ScriptedUser user;
  user.act({FormAction::Tick(1064, true)});
  LoggingScreen screen;
  EXPECT_FALSE(screen.process());
  EXPECT_FALSE(user.forms()[0].ok);
  // Cancel after a change asks first; the scripted default, Yes, leaves.
  ASSERT_EQ(user.shown().size(), 1u);
  EXPECT_EQ(user.shown()[0].text, fp_FORM::kAbandonChangesQuestion);
}

TEST(FormsToolkit, CancelAnsweredNoStaysOnTheForm) {
  platform::ScriptedUser user({'N'});
  user.act({FormAction::Tick(1064, true), FormAction::Cancel(), FormAction::Tick(1071, true), FormAction::Ok()});
  LoggingScreen screen;
  EXPECT_TRUE(screen.process());
  EXPECT_TRUE(screen.payment_.get());
  EXPECT_TRUE(screen.allocation_.get());
}

TEST(FormsToolkit, HiddenDisabledAndDisplayOnlyControlsRefuseThePerson) {
  platform::ScriptedUser user;
  user.act({FormAction::Tick(1063, true), FormAction::Choose(1060), FormAction::Type(1067, "x"),
            FormAction::Key(kKeyF8 + 1), FormAction::Ok()});
  LoggingScreen screen;
  screen.blank_.hide_field();
  screen.unrecorded_.disable(true);
  screen.stage_.set_flag_display_only(true);
  EXPECT_TRUE(screen.process());
  EXPECT_EQ(user.forms()[0].refused.size(), 4u);
  EXPECT_FALSE(screen.blank_.get());
  EXPECT_EQ(screen.status_.get(), 2u);
}

TEST(FormsToolkit, TextsAreCutToTheFieldLength) {
  LoggingScreen screen;
  const struct {
    std::string given;
    std::string held;
  } rows[] = {
      {std::string(30, 'a'), std::string(30, 'a')},
      {std::string(31, 'b'), std::string(30, 'b')},
      {std::string(29, 'c') + "\xC2\xA3", std::string(29, 'c')},  // a pound sign would straddle the end
      {"", ""},
  };
  for (const auto& row : rows) {
    screen.stage_.set(row.given.c_str());
    EXPECT_EQ(screen.stage_.get(), row.held) << row.given;
  }
  screen.stage_.set(nullptr);
  EXPECT_STREQ(screen.stage_.get(), "");
}

TEST(FormsToolkit, MoneyFieldsReadWhatAPersonTypes) {
  class MoneyScreen : public fp_FORM {
   public:
    MoneyScreen() : fp_FORM(104, qarntash_instance()), total_(1011, 14, 2, 0x800, 0) { open(true); }
    fp_MONEY_FIELD total_;
  };
  const struct {
    const char* typed;
    bool taken;
    double amount;
  } rows[] = {
      {"1,234.50", true, 1234.5}, {"\xC2\xA3" "12", true, 12.0}, {"(3.25)", true, -3.25},
      {"-7", true, -7.0},         {"", true, 0.0},                 {"12abc", false, 99.0},
      {"(3", false, 99.0},        {"1e999", false, 99.0},
  };
  for (const auto& row : rows) {
    platform::ScriptedUser user;
    user.act({FormAction::Type(1011, row.typed), FormAction::Ok()});
    MoneyScreen screen;
    screen.total_.set(99.0);
    EXPECT_TRUE(screen.process());
    EXPECT_EQ(user.forms()[0].refused.empty(), row.taken) << row.typed;
    EXPECT_DOUBLE_EQ(screen.total_.get(), row.amount) << row.typed;
  }
}

TEST(FormsToolkit, ControlsMoveAndTheDialogShrinks) {
  LoggingScreen screen;
  const platform::Rect ok_before = screen.control_rect(1);
  int width = 0, height = 0;
  screen.dialog_size(width, height);
  screen.show_control(1066, false);
  screen.move_control(1, 0, -44);
  screen.set_dialog_size(width, height - 44);
  EXPECT_EQ(screen.control_rect(1).y, ok_before.y - 44);
  EXPECT_FALSE(screen.state().find(1066)->visible);
  int shorter = 0;
  screen.dialog_size(width, shorter);
  EXPECT_EQ(shorter, height - 44);
  EXPECT_EQ(screen.control_rect(424242), platform::Rect{});
}

TEST(FormsToolkit, HideableSectionHidesItsControlsAndClosesTheGap) {
  LoggingScreen screen;
  const platform::Rect group = screen.control_rect(1065);
  const int ok_y = screen.control_rect(1).y;
  int width = 0, height = 0;
  screen.dialog_size(width, height);

  HideableFormSection plain({1069, 1063}, false, {});
  plain.Initialise(screen.window());
  plain.OnlyShowIf(false, 0);
  EXPECT_FALSE(screen.state().find(1069)->visible);
  EXPECT_EQ(screen.control_rect(1).y, ok_y);

  HideableFormSection sections({1065, 1064, 1071}, true, {2});
  sections.Initialise(screen.window());
  sections.OnlyShowIf(false, 0);
  EXPECT_FALSE(screen.state().find(1071)->visible);
  EXPECT_EQ(screen.control_rect(1).y, ok_y - group.height);
  EXPECT_EQ(screen.control_rect(2).y, ok_y);  // kept in place
  int shorter = 0;
  screen.dialog_size(width, shorter);
  EXPECT_EQ(shorter, height - group.height);

  sections.OnlyShowIf(true, 0);
  EXPECT_TRUE(screen.state().find(1071)->visible);
  EXPECT_EQ(screen.control_rect(1).y, ok_y);
  sections.Uninitialise();
  sections.OnlyShowIf(false, 0);   // no window: nothing
  EXPECT_TRUE(screen.state().find(1071)->visible);
}

TEST(FormsToolkit, RadioGroupsWithoutABoxKeepApart) {
  class TwoGroups : public fp_FORM {
   public:
    TwoGroups()
        : fp_FORM(104, qarntash_instance()),
          year_(0x800),
          first_(1009, 2006, 0),
          second_(1010, 2007, 0) {
      open(true);
    }
    fp_RADIO_GROUP year_;
    fp_RADIO_FIELD first_, second_;
  };
  platform::ScriptedUser user;
  user.act({FormAction::Choose(1010), FormAction::Ok()});
  TwoGroups screen;
  screen.year_.set(2006);
  EXPECT_EQ(screen.year_.get_ctrl_id_selected(), 1009);
  EXPECT_TRUE(screen.process());
  EXPECT_EQ(screen.year_.get(), 2007u);
  screen.year_.set(1999);
  EXPECT_EQ(screen.year_.get(), 0u);
}

TEST(FormsToolkit, NestedFormsShareTheActionQueueInOrder) {
  class Outer : public LoggingScreen {
   public:
    long field_pushed(long id, bool& handled) override {
      if (id == 1064) {
        LoggingScreen inner;
        inner_ok = inner.process();
        inner_blank = inner.blank_.get();
      }
      return LoggingScreen::field_pushed(id, handled);
    }
    bool inner_ok = false, inner_blank = false;
  };
  platform::ScriptedUser user;
  user.act({FormAction::Tick(1064, true), FormAction::Tick(1063, true), FormAction::Ok(), FormAction::Ok()});
  Outer outer;
  EXPECT_TRUE(outer.process());
  EXPECT_TRUE(outer.inner_ok);
  EXPECT_TRUE(outer.inner_blank);
  EXPECT_FALSE(outer.blank_.get());
  EXPECT_EQ(user.forms().size(), 2u);
}

TEST(FormsToolkit, AMissingDialogGivesAFormThatCannotOpen) {
  platform::ReportCapture reports;
  fp_FORM form(9999, qarntash_instance());
  EXPECT_FALSE(form.open(true));
  EXPECT_FALSE(form.process());
  EXPECT_TRUE(reports.contains("dialog 9999"));
}
