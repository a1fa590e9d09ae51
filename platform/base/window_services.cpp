#include "platform/window_services.h"

#include <mutex>

namespace {

std::mutex user_mutex;
platform::HeadlessUser headless_user;
platform::User* installed_user = nullptr;

const char* or_empty(const char* text) { return text != nullptr ? text : ""; }

// The letter chosen must be one offered; anything else counts as the default.
char offered_or_default(const platform::UserMessage& message, char chosen) {
  return message.buttons.find(chosen) != std::string::npos ? chosen : message.default_button;
}

platform::Icon icon_of(unsigned style) {
  switch (style & 0xF0) {
    case kMbIconStop: return platform::Icon::Stop;
    case kMbIconQuestion: return platform::Icon::Question;
    case kMbIconExclamation: return platform::Icon::Exclamation;
    case kMbIconInformation: return platform::Icon::Information;
    default: return platform::Icon::None;
  }
}

}  // namespace

namespace platform {

User::~User() = default;

User& current_user() {
  std::lock_guard<std::mutex> lock(user_mutex);
  return installed_user != nullptr ? *installed_user : headless_user;
}

User* set_current_user(User* user) {
  std::lock_guard<std::mutex> lock(user_mutex);
  User* previous = installed_user;
  installed_user = user;
  return previous;
}

char HeadlessUser::answer(const UserMessage& message) { return message.default_button; }

ScriptedUser::ScriptedUser(std::deque<char> answers)
    : answers_(std::move(answers)), previous_(set_current_user(this)) {}

ScriptedUser::~ScriptedUser() { set_current_user(previous_); }

char ScriptedUser::answer(const UserMessage& message) {
  shown_.push_back(message);
  if (answers_.empty()) return message.default_button;
  const char letter = answers_.front();
  answers_.pop_front();
  return letter;
}

}  // namespace platform

extern "C" {

void wp_messagebox(const char* title, const char* text) {
  platform::UserMessage message{or_empty(title), or_empty(text), "O", 'O', platform::Icon::None};
  platform::current_user().answer(message);
}

char wp_promptbox(const char* title, const char* text, const char* buttons, char default_letter, int) {
  platform::UserMessage message{or_empty(title), or_empty(text), or_empty(buttons), default_letter,
                                platform::Icon::Question};
  if (message.buttons.empty()) message.buttons = "O";
  if (message.buttons.find(default_letter) == std::string::npos) message.default_button = message.buttons[0];
  return offered_or_default(message, platform::current_user().answer(message));
}

int wp_messagebox_ex(const char* title, const char* text, unsigned style) {
  platform::UserMessage message{or_empty(title), or_empty(text), "O", 'O', icon_of(style)};
  switch (style & 0xF) {
    case kMbOkCancel: message.buttons = "OC"; break;
    case kMbYesNoCancel: message.buttons = "YNC"; break;
    case kMbYesNo: message.buttons = "YN"; break;
    default: message.buttons = "O"; break;
  }
  std::size_t default_index = (style & kMbDefButton3) != 0 ? 2 : (style & kMbDefButton2) != 0 ? 1 : 0;
  if (default_index >= message.buttons.size()) default_index = 0;
  message.default_button = message.buttons[default_index];
  switch (offered_or_default(message, platform::current_user().answer(message))) {
    case 'Y': return kIdYes;
    case 'N': return kIdNo;
    case 'C': return kIdCancel;
    default: return kIdOk;
  }
}

}  // extern "C"
