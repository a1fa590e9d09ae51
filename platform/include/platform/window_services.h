// File: platform/window_services.h
//
// Message boxes, prompts, forms and the one-line notices, and the user who answers them.
//
// Every box and every form the library shows goes to the current user. By default that is a
// headless user: a box takes its default answer (the first button unless the caller names
// another) and a form takes Cancel, so that a host program run without a terminal never blocks
// and never saves what nobody chose. A test installs a ScriptedUser, which answers boxes from a
// queue of letters and forms from a queue of actions and records what it was shown; the host
// program installs a terminal user.
//
// Buttons are named by letters: 'O' OK, 'C' Cancel, 'Y' Yes, 'N' No, 'R' Retry, 'A' Abort,
// 'I' Ignore. A box offers a string of them ("O", "YN", "YNC", "OC"). wp_promptbox takes
// captions instead, separated by '|' with '&' before each button's letter ("&Yes|&No",
// "&Continue|C&ancel"), and returns that letter.
//
// Usage in a test:
//   platform::ScriptedUser user({'Y'});       // installed until it goes out of scope
//   user.act({FormAction::Tick(1063, true), FormAction::Choose(1061), FormAction::Ok()});
//   ... code that asks a Yes/No question or runs a screen ...
//   EXPECT_EQ(user.shown()[0].caption, "Velmar Tax");
//   EXPECT_TRUE(user.forms()[0].ok);
//   EXPECT_FALSE(user.forms()[0].opened.find(1065)->visible);
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/export.h"
#include "platform/forms.h"

// Styles of wp_messagebox_ex, as the Windows message box numbers them.
constexpr unsigned kMbOk = 0x0;
constexpr unsigned kMbOkCancel = 0x1;
constexpr unsigned kMbYesNoCancel = 0x3;
constexpr unsigned kMbYesNo = 0x4;
constexpr unsigned kMbIconStop = 0x10;
constexpr unsigned kMbIconQuestion = 0x20;
constexpr unsigned kMbIconExclamation = 0x30;
constexpr unsigned kMbIconInformation = 0x40;
constexpr unsigned kMbDefButton2 = 0x100;
constexpr unsigned kMbDefButton3 = 0x200;
// Answers of wp_messagebox_ex, likewise.
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;
// The progress bar's set-position message.
constexpr unsigned kPbmSetPos = 1026;

namespace platform {

enum class Icon { None, Stop, Question, Exclamation, Information };

// One box as the user sees it.
struct UserMessage {
  std::string caption;
  std::string text;
  std::string buttons;         // the letters offered, in order
  char default_button = 'O';   // one of `buttons`
  Icon icon = Icon::None;
  std::vector<std::string> captions;   // the buttons' captions with '&' marks, when given
};

// One unknown word found by the spell check, and what the user does about it.
struct SpellQuery {
  long field_id = 0;
  std::string word;
  std::string field_text;                 // the whole text the word stands in
  std::vector<std::string> suggestions;   // the dictionary's, best first (may be empty)
};
struct SpellAnswer {
  enum class Choice { Ignore, Replace, Cancel } choice = Choice::Ignore;
  std::string replacement;                // for Replace
  static SpellAnswer Ignore() { return {}; }
  static SpellAnswer Replace(std::string word) { return {Choice::Replace, std::move(word)}; }
  static SpellAnswer Cancel() { return {Choice::Cancel, {}}; }
};

class PLATFORM_API User {
 public:
  virtual ~User();
  // Shows the box and returns the letter of the button chosen (one of message.buttons).
  virtual char answer(const UserMessage& message) = 0;
  // Works the open form with its user_... actions until form.finished(); returning before then
  // is Cancel. The default takes Cancel at once.
  virtual void run_form(fp_FORM& form);
  // An unknown word during a spell check. The default ignores it.
  virtual SpellAnswer check_word(const SpellQuery& query);
  // A modeless form (the progress window) was opened or repainted, or closed.
  virtual void show_modeless(const FormState& form);
  virtual void modeless_closed();
  // The one-line notice (wp_displaytrivial); "" clears it.
  virtual void show_trivial(const std::string& text);
};

// One action of a person on a form, for a ScriptedUser.
struct FormAction {
  enum class Kind { Enter, Type, Tick, Choose, Push, Key, Ok, Cancel } kind = Kind::Ok;
  long id = 0;
  std::string text;          // Type
  bool checked = false;      // Tick
  unsigned long key = 0;     // Key

  static FormAction Enter(long id) { return {Kind::Enter, id, {}, false, 0}; }
  static FormAction Type(long id, std::string text) { return {Kind::Type, id, std::move(text), false, 0}; }
  static FormAction Tick(long id, bool checked) { return {Kind::Tick, id, {}, checked, 0}; }
  static FormAction Choose(long radio_id) { return {Kind::Choose, radio_id, {}, false, 0}; }
  static FormAction Push(long id) { return {Kind::Push, id, {}, false, 0}; }
  static FormAction Key(unsigned long key) { return {Kind::Key, 0, {}, false, key}; }
  static FormAction Ok() { return {Kind::Ok, 1, {}, false, 0}; }
  static FormAction Cancel() { return {Kind::Cancel, 2, {}, false, 0}; }
};

// Performs `action` on `form`; false when the form refused it or it was not possible.
PLATFORM_API bool perform(fp_FORM& form, const FormAction& action);

// One form as a ScriptedUser saw it: on opening, and when it closed.
struct FormRun {
  FormState opened;
  FormState closed;
  bool ok = false;                        // left with OK
  std::vector<FormAction> refused;        // actions the form did not take
};

// The user that boxes go to now (never null).
PLATFORM_API User& current_user();
// Installs `user` (null restores the headless default) and returns the one it replaces.
PLATFORM_API User* set_current_user(User* user);

// Answers every box with its default button, cancels every form, ignores every unknown word and
// remembers nothing.
class PLATFORM_API HeadlessUser : public User {
 public:
  char answer(const UserMessage& message) override;
};

// Answers boxes from a queue of letters, then with the default button when the queue is empty;
// works forms from one queue of actions, shared by nested forms in the order they open (a form
// still open when the queue runs dry takes Cancel); answers the spell check from a queue (then
// Ignore). Records every box, form, notice and progress window shown. Installs itself on
// construction and restores the previous user on destruction.
class PLATFORM_API ScriptedUser : public User {
 public:
  explicit ScriptedUser(std::deque<char> answers = {});
  ~ScriptedUser() override;
  ScriptedUser(const ScriptedUser&) = delete;
  ScriptedUser& operator=(const ScriptedUser&) = delete;

  char answer(const UserMessage& message) override;
  void run_form(fp_FORM& form) override;
  SpellAnswer check_word(const SpellQuery& query) override;
  void show_modeless(const FormState& form) override;
  void modeless_closed() override;
  void show_trivial(const std::string& text) override;

  void queue(char letter) { answers_.push_back(letter); }
  void act(const std::vector<FormAction>& actions) { actions_.insert(actions_.end(), actions.begin(), actions.end()); }
  void spell(SpellAnswer answer) { spelling_answers_.push_back(std::move(answer)); }

  const std::vector<UserMessage>& shown() const { return shown_; }
  // Forms in the order they closed (a nested form closes before the one that opened it).
  const std::vector<FormRun>& forms() const { return forms_; }
  const std::vector<SpellQuery>& spelling_queries() const { return spelling_queries_; }
  const std::vector<std::string>& notices() const { return notices_; }
  // Each paint of a modeless form, and whether one is open now.
  const std::vector<FormState>& modeless_paints() const { return modeless_paints_; }
  bool modeless_open() const { return modeless_open_; }

 private:
  std::deque<char> answers_;
  std::deque<FormAction> actions_;
  std::deque<SpellAnswer> spelling_answers_;
  std::vector<UserMessage> shown_;
  std::vector<FormRun> forms_;
  std::vector<SpellQuery> spelling_queries_;
  std::vector<std::string> notices_;
  std::vector<FormState> modeless_paints_;
  bool modeless_open_ = false;
  User* previous_;
};

}  // namespace platform

extern "C" {
// A plain message with an OK button.
PLATFORM_API void wp_messagebox(const char* title, const char* text);
// A prompt offering the buttons of `buttons`: captions separated by '|' with '&' before each
// one's letter ("&Yes|&No"); a text with neither '|' nor '&' is a string of letters, one per
// button ("YN"). A caption without '&' answers to its first character. Returns the letter chosen
// (upper case, as `default_letter` is compared), or `default_letter` when the user gives none.
// `reserved` is kept for the suite's callers.
PLATFORM_API char wp_promptbox(const char* title, const char* text, const char* buttons,
                               char default_letter, int reserved);
// The one-line notice of the window services (a status line); "" clears it.
PLATFORM_API void wp_displaytrivial(const char* text);
// The current notice.
PLATFORM_API const char* wp_trivialtext();
// Sets the title of the active window (the form opened or run last that is still open).
PLATFORM_API void wp_title(const char* text);
// Puts the focus on control `id` of `window`'s form; nothing for an unknown window or control.
PLATFORM_API void wp_focusoncontrol(HWND window, long id);
// Sends control `id` of `window`'s form a message, as SendDlgItemMessage does. A progress bar
// takes kPbmSetPos (its position, 0 to 100) and returns the position before; anything else
// returns 0.
PLATFORM_API long wp_senditemmessage(HWND window, long id, unsigned message, unsigned long wparam, long lparam);
// Repaints `window` at once: a modeless form is shown to the user again.
PLATFORM_API void wp_updatewindow(HWND window);
// The platform's error display: a box titled "Error" with the text and an OK button.
PLATFORM_API void error_display(const char* text);
// A box in the Windows style: `style` combines one kMb button set, one icon and a default
// button; returns kIdOk, kIdCancel, kIdYes or kIdNo.
PLATFORM_API int wp_messagebox_ex(const char* title, const char* text, unsigned style);
}
