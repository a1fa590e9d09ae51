// The terminal user of a build without a curses form library (the Windows build): forms cannot
// be edited, so they take Cancel, boxes take their default and spelling questions Ignore, as the
// headless user does; a person at a console is told why the form did not open.
#include <cstdio>

#include "terminal_user.h"

namespace host {

char TerminalUser::answer(const platform::UserMessage& message) { return message.default_button; }

void TerminalUser::run_form(fp_FORM& form) {
  if (interactive_) std::fputs("editing needs a terminal; this build has none\n", stderr);
  form.user_cancel();
}

platform::SpellAnswer TerminalUser::check_word(const platform::SpellQuery&) {
  return platform::SpellAnswer::Ignore();
}

}  // namespace host
