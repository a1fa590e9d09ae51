// File: platform/forms.h
//
// The forms toolkit: modal screens built on a module's dialog templates (platform/resources.h).
//
// A form keeps, for every control of its template, the control's kind, value, shown/hidden,
// enabled/disabled, display-only flag and rectangle (dialog units), plus the focus, the title,
// the status bar and whether it is open. Field objects (fp_TICK_FIELD, fp_STRING_FIELD, ...) are
// views on those controls: a screen declares them as members after its fp_FORM base, and each
// attaches to the form being built. `process()` hands the open form to the current user
// (platform::current_user(), see window_services.h): a person at a terminal, a ScriptedUser in
// tests, or the headless default, which takes Cancel so that no screen saves what nobody chose.
//
// Building a screen:
//   class CMyUI : public fp_FORM {
//    public:
//     CMyUI() : fp_FORM(107, qarntash_instance()), status_(1059), final_(1061, 1, 0),
//               blank_(1063, 0), ok_(1, 0), cancel_(2, 0) {
//       confirm_cancel(true);
//       open(true);
//     }
//     long form_exit() override { save(blank_.get()); return 0; }   // 0 accepts, an id refuses
//    private:
//     fp_RADIO_GROUP status_; fp_RADIO_FIELD final_; fp_TICK_FIELD blank_;
//     fp_BUTTON_FIELD ok_, cancel_;
//   };
//   CMyUI screen; bool saved = screen.process(); screen.close();
//
// Geometry, for screens that rearrange their dialog: control_rect(id), move_control(id, dx, dy),
// resize_control(id, dw, dh), show_control(id, bool) for controls without a field (group boxes,
// labels), dialog_size() and set_dialog_size(w, h).
//
// What a person does (used by the users, not by screens): user_enter, user_type, user_tick,
// user_choose, user_push, user_key, user_ok, user_cancel. They call the screen's handlers in the
// order a person's actions would (field_entry on entering; field_exit then field_validate on
// leaving; field_pushed on a tick or button; key_pressed for a key the form took over; form_exit
// on OK). A handler that returns a control id refuses: the focus moves to that control.
//
// Threads: forms belong to the thread that shows them, as windows do.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/export.h"
#include "platform/resources.h"

namespace platform {

struct Rect {
  int x = 0, y = 0, width = 0, height = 0;
  int bottom() const { return y + height; }
  friend bool operator==(const Rect& a, const Rect& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
  }
};

// The state of one control as the user sees it.
struct FormControl {
  long id = 0;
  ControlKind kind = ControlKind::Label;
  std::string window_class;
  std::string text;         // caption of labels, buttons, ticks and radios; value of a text field
  double money = 0.0;       // value of a money field
  bool checked = false;     // tick or radio button
  unsigned long radio_value = 0;  // the value a radio button gives its group
  long group = 0;           // a radio button's group (its group box's id, or the group's flags)
  int position = 0;         // a progress bar's position, 0 to 100
  bool visible = true;
  bool enabled = true;
  bool display_only = false;
  bool tab_stop = false;
  Rect rect;
  // Set when a field object binds the control: what it holds and how long a text may be.
  enum class Field { None, Tick, Radio, Money, String, Button } field = Field::None;
  int length = 0;           // a string field's length in bytes
  bool counts_as_change = true;   // false after inhibit_form_data_changed(true)
};

// Everything a form shows, copied out for users and tests.
struct PLATFORM_API FormState {
  unsigned dialog_id = 0;
  std::string title;
  std::string status_bar;   // "" when none or empty
  bool has_status_bar = false;
  bool open = false;
  long focus = 0;           // id of the control with the focus, 0 when none
  int width = 0, height = 0;
  std::vector<FormControl> controls;   // in template order
  std::vector<unsigned long> taken_keys;

  const FormControl* find(long id) const;
  FormControl* find(long id);
};

}  // namespace platform

enum NOTIFY_CODE { NOTIFY_NONE = 0 };

// Key codes as Windows numbers its virtual keys.
constexpr unsigned long kKeyF8 = 119;

class fp_FIELD;
class fp_RADIO_GROUP;

class PLATFORM_API fp_FORM {
 public:
  // A form on dialog `dialog_id` of `instance`'s resources. A dialog the module lacks gives an
  // empty form and a report on the report channel (a program error, not a user's).
  fp_FORM(unsigned dialog_id, HINSTANCE instance);
  fp_FORM(const fp_FORM&) = delete;
  fp_FORM& operator=(const fp_FORM&) = delete;

  // Virtual operations in the slot order that host programs rely on.
  virtual ~fp_FORM();
  // Runs the open form with the current user; true when the user left with OK and form_exit
  // returned 0, false on Cancel (or when the form is not open).
  virtual bool process();
  virtual void common_field_entered(long id, bool entered);
  virtual void common_field_exited(long id, bool exited);
  virtual long field_entry(long id, bool& handled);
  virtual long field_exit(long id, unsigned long* key, int reserved, bool& handled);
  virtual long field_pushed(long id, bool& handled);
  virtual long field_browser(long id, bool& handled);
  virtual long field_validate(long id, bool changed, bool& handled);
  virtual long form_exit();
  virtual long key_pressed(long id, unsigned long& key, bool& handled, bool& shift, bool& control);
  virtual long dialog_procedure(unsigned message, unsigned wparam, long lparam);
  virtual const char* registry_key();
  virtual long notify(NOTIFY_CODE code, unsigned long a, unsigned long b, std::int64_t c, std::int64_t d);

  // Set-up, between the fields and process().
  void takeover_key_in_form(unsigned long key, const char* status_text, int reserved, bool take);
  void confirm_cancel(bool ask);        // on Cancel after a change, ask before leaving
  void add_statusbar();
  bool open(bool show);                 // false when already open or the dialog was not found
  void close();
  bool is_open() const { return state_.open; }
  HWND window() const { return window_; }

  void set_title(const char* title);
  void set_status_text(const char* text);
  void set_focus(long id);              // ignored for an unknown control

  // Geometry and controls without fields. Unknown ids are ignored (the rectangle is all 0).
  platform::Rect control_rect(long id) const;
  void move_control(long id, int dx, int dy);
  void resize_control(long id, int dwidth, int dheight);
  void show_control(long id, bool show);
  void enable_control(long id, bool enable);
  void dialog_size(int& width, int& height) const { width = state_.width; height = state_.height; }
  void set_dialog_size(int width, int height);

  const platform::FormState& state() const { return state_; }
  // True when a value changed (except in controls that do not count as changes) since open().
  bool data_changed() const { return data_changed_; }

  // What a person does. Each returns false when the action was not possible (an unknown,
  // hidden, disabled or display-only control, a refusal by the screen, a closed form).
  bool user_enter(long id);
  bool user_type(long id, const std::string& text);   // a text field, or a money amount
  bool user_tick(long id, bool checked);
  bool user_choose(long radio_id);
  bool user_push(long id);                            // 1 is OK, 2 is Cancel
  bool user_key(unsigned long key);
  bool user_ok();                                     // true when the form closed with OK
  bool user_cancel();                                 // true when the form closed
  bool finished() const { return finished_; }
  bool closed_with_ok() const { return finished_ && ok_; }
  // What Cancel asks, after a change, on a form built with confirm_cancel(true); Yes leaves.
  static constexpr const char* kAbandonChangesQuestion = "Abandon the changes made on this screen?";
  // The most a text control without a string field holds, in bytes.
  static constexpr int kUnboundEditLength = 255;

  // Used by the field classes.
  platform::FormControl* bind(long id, platform::FormControl::Field field);
  void value_changed(const platform::FormControl& control);
  fp_RADIO_GROUP* last_radio_group() const { return last_group_; }
  void set_last_radio_group(fp_RADIO_GROUP* group) { last_group_ = group; }
  platform::FormState& field_state() { return state_; }
  void choose_radio(long radio_id);

 private:
  bool leave_focus();
  bool refuse(long id);
  bool can_act_on(const platform::FormControl* control) const;

  platform::FormState state_;
  HWND window_ = nullptr;
  bool confirm_cancel_ = false;
  bool data_changed_ = false;
  bool changed_since_entry_ = false;
  bool finished_ = false;
  bool ok_ = false;
  fp_RADIO_GROUP* last_group_ = nullptr;
};

// Every field: a view on one control of the form being built.
class PLATFORM_API fp_FIELD {
 public:
  fp_FIELD(const fp_FIELD&) = delete;
  fp_FIELD& operator=(const fp_FIELD&) = delete;
  virtual ~fp_FIELD() = default;

  long id() const { return id_; }
  void show(bool show, int reserved = 0, bool redisplay = false);
  void disable(bool disable, int reserved = 0, bool redisplay = false);
  void set_flag_display_only(bool display_only);
  void inhibit_form_data_changed(bool inhibit);
  // Sets the field from text: a text field takes it (cut to its length), a money field its amount.
  void set_string_value(const char* text);
  void hide_field(bool hide = true) { show(!hide); }
  void disable_field(bool disable_it = true) { disable(disable_it); }
  HWND wpid() const;   // the window of the field's form, 0 when the form is not open
  bool is_shown() const;
  bool is_enabled() const;

 protected:
  fp_FIELD(long id, platform::FormControl::Field kind);
  platform::FormControl* control() const;
  fp_FORM* form() const { return form_; }

 private:
  fp_FORM* form_;
  long id_;
};

class PLATFORM_API fp_TICK_FIELD : public fp_FIELD {
 public:
  fp_TICK_FIELD(long id, unsigned long flags);
  bool get() const;
  void set(bool checked, bool redisplay = true);
};

// A group of radio buttons, followed by its fp_RADIO_FIELDs. The argument is the group box's id
// when the template has a control of that id, else the group's flag word.
class PLATFORM_API fp_RADIO_GROUP : public fp_FIELD {
 public:
  explicit fp_RADIO_GROUP(unsigned long group_or_flags);
  unsigned long get() const;               // the chosen button's value, 0 when none is chosen
  void set(unsigned long value, bool redisplay = true);  // a value no button has clears all
  long get_ctrl_id_selected() const;       // the chosen button's id, 0 when none
  long group_key() const { return key_; }

 private:
  long key_;
};

class PLATFORM_API fp_RADIO_FIELD : public fp_FIELD {
 public:
  fp_RADIO_FIELD(long id, unsigned long value, unsigned long flags);
};

class PLATFORM_API fp_MONEY_FIELD : public fp_FIELD {
 public:
  fp_MONEY_FIELD(long id, unsigned short width, unsigned char decimals, unsigned long flags,
                 unsigned char reserved);
  double get() const;
  void set(double value, bool redisplay = true);
};

// Text of at most `length` bytes; longer texts are cut (at a character boundary).
class PLATFORM_API fp_STRING_FIELD : public fp_FIELD {
 public:
  fp_STRING_FIELD(long id, unsigned short length, unsigned long flags, unsigned char reserved);
  const char* get() const;
  void set(const char* text, bool redisplay = true);
};

class PLATFORM_API fp_BUTTON_FIELD : public fp_FIELD {
 public:
  fp_BUTTON_FIELD(long id, unsigned long flags);
};

// A set of controls shown or hidden together, addressed through the open form's window.
class PLATFORM_API HideableFormSection {
 public:
  // `close_gap`: when hidden, the controls below the section move up by its height and the
  // dialog becomes that much shorter, except the controls listed in `keep_in_place`.
  HideableFormSection(std::vector<long> ids, bool close_gap, std::vector<long> keep_in_place);
  void Initialise(HWND form_window);
  void OnlyShowIf(bool condition, int reserved);
  void Uninitialise();
  bool IsInitialised() const { return window_ != nullptr; }

 private:
  std::vector<long> ids_;
  bool close_gap_;
  std::vector<long> keep_in_place_;
  HWND window_ = nullptr;
  bool gap_closed_ = false;
  int gap_ = 0;
  std::vector<std::size_t> moved_;   // the controls (by position) that closing the gap moved up
};

// A static form definition: one dialog with fields bound to the caller's buffers, opened
// modeless (the progress window).
struct FP_FORM_FIELD_DEF {
  long id;
  char* buffer;           // the text shown, ended by a 0 byte
  unsigned short length;  // the buffer's size in bytes, terminator included
};
struct FP_FORM_DEF {
  unsigned dialog_id;
  FP_FORM_FIELD_DEF* fields;
  std::size_t field_count;
  fp_FORM* form;          // the open form, null when closed (the toolkit's)
};

extern "C" {
// Opens `definition` on `instance`'s dialog (mode 1: modeless); returns 1, or 0 when the dialog
// is missing or the definition is already open.
PLATFORM_API int fp_openusinginstanceVV(int mode, HINSTANCE instance, FP_FORM_DEF* definition);
// The window of the definition's open form, 0 when it is closed.
PLATFORM_API HWND fp_formwpid(const FP_FORM_DEF* definition);
// Shows the text of field `id`'s buffer in the form (cut to the buffer's length).
PLATFORM_API void fp_dispfield(FP_FORM_DEF* definition, long id);
// Closes the form opened last by fp_openusinginstanceVV.
PLATFORM_API void fp_close();
// Checks the spelling of the listed fields of `form` word by word; the user chooses a suggestion,
// ignores the word or cancels. Returns 1 when finished, 0 when cancelled or when no dictionary
// could be loaded (reported on the report channel and to the user).
PLATFORM_API int fp_spellcheck_fields_list(fp_FORM* form, int reserved, const long* ids, int count);
}

namespace platform {
// The form whose window is `window`, null when none is open there.
PLATFORM_API fp_FORM* form_of_window(HWND window);
// The form opened or shown last that is still open (wp_title acts on it), null when none.
PLATFORM_API fp_FORM* active_form();
// Where fp_spellcheck_fields_list finds its dictionary: the .aff/.dic pair with this path
// stem. Default: $QARNTASH_DICTIONARY, else /usr/share/hunspell/en_GB.
PLATFORM_API void set_dictionary_stem(const std::string& stem);
PLATFORM_API std::string dictionary_stem();
}  // namespace platform
