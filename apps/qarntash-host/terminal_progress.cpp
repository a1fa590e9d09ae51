// What the terminal user does with or without curses: it takes over as the current user, and
// shows progress windows as one line on standard error when that is a terminal.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "terminal_user.h"

namespace host {

using platform::ControlKind;
using platform::FormControl;

TerminalUser::TerminalUser()
    : interactive_(isatty(STDIN_FILENO) != 0 && isatty(STDOUT_FILENO) != 0),
      progress_on_terminal_(isatty(STDERR_FILENO) != 0),
      previous_(platform::set_current_user(this)) {}

TerminalUser::~TerminalUser() {
  modeless_closed();
  platform::set_current_user(previous_);
}

void TerminalUser::show_modeless(const platform::FormState& form) {
  if (!progress_on_terminal_) return;
  const FormControl* bar = nullptr;
  std::string message;
  for (const FormControl& c : form.controls) {
    if (c.kind == ControlKind::Progress && bar == nullptr) bar = &c;
    if (c.kind != ControlKind::Progress && c.field == FormControl::Field::String && message.empty()) message = c.text;
  }
  const int position = bar != nullptr ? std::clamp(bar->position, 0, 100) : 0;
  // A loop may repaint thousands of times a second: draw when the bar moves, else 10 times a second.
  const auto now = std::chrono::steady_clock::now();
  if (progress_shown_ && position == last_position_ && now - last_drawn_ < std::chrono::milliseconds(100)) return;
  last_position_ = position;
  last_drawn_ = now;
  constexpr int kBarWidth = 30;
  const int filled = kBarWidth * position / 100;
  std::fprintf(stderr, "\r\033[K%s [%s%s] %3d%% %.40s", form.title.c_str(), std::string(filled, '#').c_str(),
               std::string(kBarWidth - filled, '.').c_str(), position, message.c_str());
  std::fflush(stderr);
  progress_shown_ = true;
}

void TerminalUser::modeless_closed() {
  if (!progress_shown_) return;
  std::fprintf(stderr, "\r\033[K");
  std::fflush(stderr);
  progress_shown_ = false;
}

void TerminalUser::show_trivial(const std::string& text) { notice_ = text; }

}  // namespace host
