// The host program's user: a person at a terminal. Forms run full-screen on ncurses' form
// library, laid out from their dialog templates (4 dialog units a column, 7 a line): Tab or the
// arrows move, Space ticks, chooses or pushes, Enter is OK (or pushes the button under the
// cursor), Esc is Cancel, F8 goes to a form that takes it. Boxes and spell-check questions come
// up as centred windows. Progress windows become one line on standard error when that is a
// terminal.
//
// Without a terminal on standard input and output, forms take Cancel and boxes their default,
// as the headless user does. A build without curses (Windows) always does so, and tells a person
// at a console that editing needs a terminal.
#pragma once

#include <chrono>
#include <string>

#include "platform/window_services.h"

namespace host {

class TerminalUser : public platform::User {
 public:
  TerminalUser();   // installs itself; the previous user comes back on destruction
  ~TerminalUser() override;
  TerminalUser(const TerminalUser&) = delete;
  TerminalUser& operator=(const TerminalUser&) = delete;

  char answer(const platform::UserMessage& message) override;
  void run_form(fp_FORM& form) override;
  platform::SpellAnswer check_word(const platform::SpellQuery& query) override;
  void show_modeless(const platform::FormState& form) override;
  void modeless_closed() override;
  void show_trivial(const std::string& text) override;

 private:
  bool interactive_;
  bool progress_on_terminal_;
  bool progress_shown_ = false;
  int last_position_ = -1;
  std::chrono::steady_clock::time_point last_drawn_;
  std::string notice_;   // the one-line notice, shown under the form
  platform::User* previous_;
};

}  // namespace host
