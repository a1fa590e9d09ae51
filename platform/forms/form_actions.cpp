// What a person does on a form, and the handlers each action calls: entering a field calls
// field_entry, leaving it field_exit then field_validate, a tick or a button field_pushed, a key
// the form took over key_pressed, OK form_exit. A handler's non-zero result names the control
// that takes the focus instead, and the action stops there.
#include <algorithm>

#include "field_text.h"
#include "platform/forms.h"
#include "platform/window_services.h"
#include "window_registry.h"

using platform::FormControl;

bool fp_FORM::can_act_on(const FormControl* control) const {
  return state_.open && !finished_ && control != nullptr && control->visible && control->enabled;
}

bool fp_FORM::refuse(long id) {
  if (state_.find(id) != nullptr) state_.focus = id;
  return false;
}

bool fp_FORM::leave_focus() {
  const long id = state_.focus;
  if (id == 0 || state_.find(id) == nullptr) return true;
  bool handled = false;
  unsigned long key = 0;
  common_field_exited(id, true);
  if (const long refused = field_exit(id, &key, 0, handled)) return refuse(refused);
  handled = false;
  if (const long refused = field_validate(id, changed_since_entry_, handled)) return refuse(refused);
  changed_since_entry_ = false;
  return true;
}

bool fp_FORM::user_enter(long id) {
  const FormControl* control = state_.find(id);
  if (!can_act_on(control) || control->display_only) return false;
  if (state_.focus == id) return true;
  if (!leave_focus()) return false;
  bool handled = false;
  if (const long refused = field_entry(id, handled); refused != 0 && refused != id) return refuse(refused);
  state_.focus = id;
  changed_since_entry_ = false;
  common_field_entered(id, true);
  return true;
}

bool fp_FORM::user_type(long id, const std::string& text) {
  const FormControl* control = state_.find(id);
  if (control == nullptr) return false;
  const bool is_text = control->field == FormControl::Field::String ||
                       (control->field == FormControl::Field::None && control->kind == platform::ControlKind::Edit);
  const bool is_money = control->field == FormControl::Field::Money;
  if (!is_text && !is_money) return false;
  double amount = 0.0;
  if (is_money && !platform::detail::parse_money(text, amount)) return false;
  if (!user_enter(id)) return false;
  FormControl* entered = state_.find(id);
  if (is_money) {
    entered->money = amount;
  } else {
    entered->text = platform::detail::cut_to_length(text, entered->field == FormControl::Field::String
                                                              ? entered->length : kUnboundEditLength);
  }
  changed_since_entry_ = true;
  value_changed(*entered);
  return true;
}

bool fp_FORM::user_tick(long id, bool checked) {
  const FormControl* control = state_.find(id);
  if (control == nullptr || control->kind != platform::ControlKind::CheckBox) return false;
  if (!user_enter(id)) return false;
  FormControl* tick = state_.find(id);
  if (tick->checked != checked) {
    tick->checked = checked;
    changed_since_entry_ = true;
    value_changed(*tick);
  }
  bool handled = false;
  if (const long refused = field_pushed(id, handled); refused != 0 && refused != id) refuse(refused);
  return true;
}

bool fp_FORM::user_choose(long radio_id) {
  const FormControl* control = state_.find(radio_id);
  if (control == nullptr || control->kind != platform::ControlKind::RadioButton) return false;
  if (!user_enter(radio_id)) return false;
  if (!state_.find(radio_id)->checked) {
    choose_radio(radio_id);
    changed_since_entry_ = true;
    value_changed(*state_.find(radio_id));
  }
  bool handled = false;
  if (const long refused = field_pushed(radio_id, handled); refused != 0 && refused != radio_id) refuse(refused);
  return true;
}

bool fp_FORM::user_push(long id) {
  if (id == 1) return user_ok();
  if (id == 2) return user_cancel();
  const FormControl* control = state_.find(id);
  if (control == nullptr || control->kind != platform::ControlKind::Button) return false;
  if (!user_enter(id)) return false;
  bool handled = false;
  if (const long refused = field_pushed(id, handled); refused != 0 && refused != id) refuse(refused);
  return true;
}

bool fp_FORM::user_key(unsigned long key) {
  if (!state_.open || finished_) return false;
  const auto& keys = state_.taken_keys;
  if (std::find(keys.begin(), keys.end(), key) == keys.end()) return false;
  bool handled = false, shift = false, control = false;
  if (const long refused = key_pressed(state_.focus, key, handled, shift, control)) refuse(refused);
  return true;
}

bool fp_FORM::user_ok() {
  if (!state_.open || finished_) return false;
  if (!leave_focus()) return false;
  if (const long refused = form_exit()) return refuse(refused);
  finished_ = true;
  ok_ = true;
  return true;
}

bool fp_FORM::user_cancel() {
  if (!state_.open || finished_) return false;
  if (confirm_cancel_ && data_changed_ &&
      wp_promptbox(state_.title.c_str(), kAbandonChangesQuestion, "&Yes|&No", 'Y', 0) != 'Y') {
    return false;
  }
  finished_ = true;
  ok_ = false;
  return true;
}
