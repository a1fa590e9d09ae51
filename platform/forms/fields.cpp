// The field classes: each is a view on one control of the form that was being built when the
// field was constructed. Values live in the form, so a field never holds a copy that could
// disagree with what the user sees.
#include <cstdio>

#include "field_text.h"
#include "platform/errors.h"
#include "platform/forms.h"
#include "window_registry.h"

using platform::FormControl;

namespace {

fp_FORM* attach_to_form_being_built() {
  fp_FORM* form = platform::detail::form_being_built();
  if (form == nullptr) _exgen_error(1, "forms: a field was made with no form being built", 0, __FILE__, __LINE__);
  return form;
}

// A stand-in control for a field without a form, so that its calls stay harmless.
FormControl& detached_control() {
  thread_local FormControl control;
  control = FormControl{};
  return control;
}

}  // namespace

fp_FIELD::fp_FIELD(long id, FormControl::Field kind) : form_(attach_to_form_being_built()), id_(id) {
  if (form_ != nullptr && kind != FormControl::Field::None) form_->bind(id, kind);
}

FormControl* fp_FIELD::control() const {
  if (form_ == nullptr) return &detached_control();
  FormControl* found = form_->field_state().find(id_);
  return found != nullptr ? found : &detached_control();
}

void fp_FIELD::show(bool show, int, bool) {
  if (form_ != nullptr) form_->show_control(id_, show);
}

void fp_FIELD::disable(bool disable, int, bool) {
  if (form_ != nullptr) form_->enable_control(id_, !disable);
}

void fp_FIELD::set_flag_display_only(bool display_only) {
  control()->display_only = display_only;
  if (display_only && form_ != nullptr && form_->state().focus == id_) form_->set_focus(0);
}

void fp_FIELD::inhibit_form_data_changed(bool inhibit) { control()->counts_as_change = !inhibit; }

void fp_FIELD::set_string_value(const char* text) {
  FormControl* field = control();
  const std::string value = text != nullptr ? text : "";
  if (field->field == FormControl::Field::Money) {
    double amount = 0.0;
    if (platform::detail::parse_money(value, amount)) field->money = amount;
  } else {
    field->text = platform::detail::cut_to_length(
        value, field->field == FormControl::Field::String ? field->length : fp_FORM::kUnboundEditLength);
  }
}

HWND fp_FIELD::wpid() const { return form_ != nullptr ? form_->window() : nullptr; }
bool fp_FIELD::is_shown() const { return control()->visible; }
bool fp_FIELD::is_enabled() const { return control()->enabled; }

fp_TICK_FIELD::fp_TICK_FIELD(long id, unsigned long) : fp_FIELD(id, FormControl::Field::Tick) {}
bool fp_TICK_FIELD::get() const { return control()->checked; }
void fp_TICK_FIELD::set(bool checked, bool) { control()->checked = checked; }

namespace {

// The group box's id when the template has a group box of that number, else 0 (the argument was
// the group's flag word).
long group_box_id(unsigned long group_or_flags) {
  fp_FORM* form = platform::detail::form_being_built();
  if (form == nullptr) return 0;
  const FormControl* control = form->state().find(static_cast<long>(group_or_flags));
  return control != nullptr && control->kind == platform::ControlKind::GroupBox ? static_cast<long>(group_or_flags) : 0;
}

}  // namespace

fp_RADIO_GROUP::fp_RADIO_GROUP(unsigned long group_or_flags)
    : fp_FIELD(group_box_id(group_or_flags),
               group_box_id(group_or_flags) != 0 ? FormControl::Field::Radio : FormControl::Field::None),
      key_(0) {
  if (form() == nullptr) return;
  // Groups without a box of their own are told apart by a key below 0, which no control has.
  static thread_local long next_unboxed_key = -1000;
  key_ = id() != 0 ? id() : next_unboxed_key--;
  form()->set_last_radio_group(this);
}

unsigned long fp_RADIO_GROUP::get() const {
  if (form() == nullptr) return 0;
  for (const FormControl& control : form()->state().controls) {
    if (control.kind == platform::ControlKind::RadioButton && control.group == key_ && control.checked) {
      return control.radio_value;
    }
  }
  return 0;
}

void fp_RADIO_GROUP::set(unsigned long value, bool) {
  if (form() == nullptr) return;
  long chosen = 0;
  for (const FormControl& control : form()->state().controls) {
    if (control.kind == platform::ControlKind::RadioButton && control.group == key_ &&
        control.field == FormControl::Field::Radio && control.radio_value == value) {
      chosen = control.id;
      break;
    }
  }
  if (chosen != 0) {
    form()->choose_radio(chosen);
    return;
  }
  for (FormControl& control : form()->field_state().controls) {
    if (control.kind == platform::ControlKind::RadioButton && control.group == key_) control.checked = false;
  }
}

long fp_RADIO_GROUP::get_ctrl_id_selected() const {
  if (form() == nullptr) return 0;
  for (const FormControl& control : form()->state().controls) {
    if (control.kind == platform::ControlKind::RadioButton && control.group == key_ && control.checked) return control.id;
  }
  return 0;
}

fp_RADIO_FIELD::fp_RADIO_FIELD(long id, unsigned long value, unsigned long)
    : fp_FIELD(id, FormControl::Field::Radio) {
  if (form() == nullptr) return;
  FormControl* button = control();
  button->radio_value = value;
  const fp_RADIO_GROUP* group = form()->last_radio_group();
  if (group == nullptr) {
    _exgen_error(1, "forms: a radio button was made before its group", 0, __FILE__, __LINE__);
    return;
  }
  button->group = group->group_key();
}

fp_MONEY_FIELD::fp_MONEY_FIELD(long id, unsigned short, unsigned char, unsigned long, unsigned char)
    : fp_FIELD(id, FormControl::Field::Money) {}
double fp_MONEY_FIELD::get() const { return control()->money; }
void fp_MONEY_FIELD::set(double value, bool) { control()->money = value; }

fp_STRING_FIELD::fp_STRING_FIELD(long id, unsigned short length, unsigned long, unsigned char)
    : fp_FIELD(id, FormControl::Field::String) {
  FormControl* field = control();
  field->length = length;
  // The template's text is the field's first value (the adjustment screens' label templates).
  field->text = platform::detail::cut_to_length(field->text, length);
}
const char* fp_STRING_FIELD::get() const { return control()->text.c_str(); }
void fp_STRING_FIELD::set(const char* text, bool) {
  FormControl* field = control();
  field->text = platform::detail::cut_to_length(text != nullptr ? text : "", field->length);
}

fp_BUTTON_FIELD::fp_BUTTON_FIELD(long id, unsigned long) : fp_FIELD(id, FormControl::Field::Button) {}
