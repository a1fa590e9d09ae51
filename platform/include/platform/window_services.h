// File: platform/window_services.h
//
// Message boxes and prompts, and the user who answers them.
//
// Every box the library shows goes to the current user: by default a headless user that takes
// the default answer (the first button unless the caller names another), so that a host program
// run without a terminal never blocks. A test installs a ScriptedUser, which answers from a queue
// and records each caption and text shown; the host program may install a terminal user.
//
// Buttons are named by letters: 'O' OK, 'C' Cancel, 'Y' Yes, 'N' No, 'R' Retry, 'A' Abort,
// 'I' Ignore. A box offers a string of them ("O", "YN", "YNC", "OC").
//
// Usage in a test:
//   platform::ScriptedUser user({'Y'});       // installed until it goes out of scope
//   ... code that asks a Yes/No question ...
//   EXPECT_EQ(user.shown()[0].caption, "Velmar Tax");
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/export.h"

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

namespace platform {

enum class Icon { None, Stop, Question, Exclamation, Information };

// One box as the user sees it.
struct UserMessage {
  std::string caption;
  std::string text;
  std::string buttons;         // the letters offered, in order
  char default_button = 'O';   // one of `buttons`
  Icon icon = Icon::None;
};

class PLATFORM_API User {
 public:
  virtual ~User();
  // Shows the box and returns the letter of the button chosen (one of message.buttons).
  virtual char answer(const UserMessage& message) = 0;
};

// The user that boxes go to now (never null).
PLATFORM_API User& current_user();
// Installs `user` (null restores the headless default) and returns the one it replaces.
PLATFORM_API User* set_current_user(User* user);

// Answers every box with its default button and remembers nothing.
class PLATFORM_API HeadlessUser : public User {
 public:
  char answer(const UserMessage& message) override;
};

// Answers from a queue of letters, then with the default button when the queue is empty; records
// every box shown. Installs itself on construction and restores the previous user on destruction.
class PLATFORM_API ScriptedUser : public User {
 public:
  explicit ScriptedUser(std::deque<char> answers = {});
  ~ScriptedUser() override;
  ScriptedUser(const ScriptedUser&) = delete;
  ScriptedUser& operator=(const ScriptedUser&) = delete;

  char answer(const UserMessage& message) override;
  void queue(char letter) { answers_.push_back(letter); }
  const std::vector<UserMessage>& shown() const { return shown_; }

 private:
  std::deque<char> answers_;
  std::vector<UserMessage> shown_;
  User* previous_;
};

}  // namespace platform

extern "C" {
// A plain message with an OK button.
PLATFORM_API void wp_messagebox(const char* title, const char* text);
// A prompt offering the letters of `buttons` (for example "YN"); returns the letter chosen, or
// `default_letter` when the user gives none. `reserved` is kept for the suite's callers.
PLATFORM_API char wp_promptbox(const char* title, const char* text, const char* buttons,
                               char default_letter, int reserved);
// A box in the Windows style: `style` combines one kMb button set, one icon and a default
// button; returns kIdOk, kIdCancel, kIdYes or kIdNo.
PLATFORM_API int wp_messagebox_ex(const char* title, const char* text, unsigned style);
}
