#include "platform/window_services.h"

#include <algorithm>
#include <cctype>
#include <mutex>

namespace {

std::mutex user_mutex;
platform::HeadlessUser headless_user;
platform::User* installed_user = nullptr;

const char* or_empty(const char* text) { return text != nullptr ? text : ""; }

std::string& trivial_text() {
  static std::string text;
  return text;
}

// The letter chosen must be one offered; anything else counts as the default.
char offered_or_default(const platform::UserMessage& message, char chosen) {
  return message.buttons.find(chosen) != std::string::npos ? chosen : message.default_button;
}

// Reads "&Yes|&No" into the letters "YN" and the captions; a text with no '|' and no '&' is a
// string of letters, one per button.
void read_buttons(const std::string& buttons, platform::UserMessage& message) {
  message.buttons.clear();
  message.captions.clear();
  if (buttons.find_first_of("|&") == std::string::npos) {
    message.buttons = buttons;
    return;
  }
  std::size_t start = 0;
  while (start <= buttons.size()) {
    const std::size_t end = std::min(buttons.find('|', start), buttons.size());
    const std::string caption = buttons.substr(start, end - start);
    if (!caption.empty()) {
      const std::size_t mark = caption.find('&');
      const char letter = mark != std::string::npos && mark + 1 < caption.size() ? caption[mark + 1] : caption[0];
      message.buttons += static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
      message.captions.push_back(caption);
    }
    start = end + 1;
  }
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
void User::run_form(fp_FORM& form) { form.user_cancel(); }
SpellAnswer User::check_word(const SpellQuery&) { return SpellAnswer::Ignore(); }
void User::show_modeless(const FormState&) {}
void User::modeless_closed() {}
void User::show_trivial(const std::string&) {}

bool perform(fp_FORM& form, const FormAction& action) {
  switch (action.kind) {
    case FormAction::Kind::Enter: return form.user_enter(action.id);
    case FormAction::Kind::Type: return form.user_type(action.id, action.text);
    case FormAction::Kind::Tick: return form.user_tick(action.id, action.checked);
    case FormAction::Kind::Choose: return form.user_choose(action.id);
    case FormAction::Kind::Push: return form.user_push(action.id);
    case FormAction::Kind::Key: return form.user_key(action.key);
    case FormAction::Kind::Ok: return form.user_ok();
    case FormAction::Kind::Cancel: return form.user_cancel();
  }
  return false;
}

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

void ScriptedUser::run_form(fp_FORM& form) {
  FormRun run;
  run.opened = form.state();
  while (!form.finished() && !actions_.empty()) {
    const FormAction action = actions_.front();
    actions_.pop_front();
    if (!perform(form, action)) run.refused.push_back(action);
  }
  if (!form.finished()) form.user_cancel();
  run.closed = form.state();
  run.ok = form.closed_with_ok();
  forms_.push_back(std::move(run));
}

SpellAnswer ScriptedUser::check_word(const SpellQuery& query) {
  spelling_queries_.push_back(query);
  if (spelling_answers_.empty()) return SpellAnswer::Ignore();
  SpellAnswer answer = std::move(spelling_answers_.front());
  spelling_answers_.pop_front();
  return answer;
}

void ScriptedUser::show_modeless(const FormState& form) {
  modeless_paints_.push_back(form);
  modeless_open_ = true;
}

void ScriptedUser::modeless_closed() { modeless_open_ = false; }
void ScriptedUser::show_trivial(const std::string& text) { notices_.push_back(text); }

}  // namespace platform

extern "C" {

void wp_messagebox(const char* title, const char* text) {
  platform::UserMessage message{or_empty(title), or_empty(text), "O", 'O', platform::Icon::None, {}};
  platform::current_user().answer(message);
}

char wp_promptbox(const char* title, const char* text, const char* buttons, char default_letter, int) {
  platform::UserMessage message{or_empty(title), or_empty(text), "", default_letter, platform::Icon::Question, {}};
  read_buttons(or_empty(buttons), message);
  if (message.buttons.empty()) message.buttons = "O";
  if (message.buttons.find(default_letter) == std::string::npos) message.default_button = message.buttons[0];
  return offered_or_default(message, platform::current_user().answer(message));
}

int wp_messagebox_ex(const char* title, const char* text, unsigned style) {
  platform::UserMessage message{or_empty(title), or_empty(text), "O", 'O', icon_of(style), {}};
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

void wp_displaytrivial(const char* text) {
  trivial_text() = or_empty(text);
  platform::current_user().show_trivial(trivial_text());
}

const char* wp_trivialtext() { return trivial_text().c_str(); }

void wp_title(const char* text) {
  if (fp_FORM* form = platform::active_form()) form->set_title(text);
}

void wp_focusoncontrol(HWND window, long id) {
  if (fp_FORM* form = platform::form_of_window(window)) form->set_focus(id);
}

long wp_senditemmessage(HWND window, long id, unsigned message, unsigned long wparam, long) {
  fp_FORM* form = platform::form_of_window(window);
  platform::FormControl* control = form != nullptr ? form->field_state().find(id) : nullptr;
  if (control == nullptr || control->kind != platform::ControlKind::Progress || message != kPbmSetPos) return 0;
  const long before = control->position;
  // The bar keeps its range of 0 to 100: a position outside it is held at the nearer end.
  control->position = static_cast<int>(std::clamp<long>(static_cast<long>(wparam), 0, 100));
  return before;
}

void wp_updatewindow(HWND window) {
  if (fp_FORM* form = platform::form_of_window(window)) platform::current_user().show_modeless(form->state());
}

void error_display(const char* text) {
  platform::UserMessage message{"Error", or_empty(text), "O", 'O', platform::Icon::Stop, {}};
  platform::current_user().answer(message);
}

}  // extern "C"
