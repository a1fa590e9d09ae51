// A form's life and layout: built from its dialog template, opened as a window, rearranged by
// its screen, closed. What a person does on it is in form_actions.cpp.
#include <algorithm>
#include <string>

#include "platform/errors.h"
#include "platform/forms.h"
#include "platform/window_services.h"
#include "window_registry.h"

namespace platform {

const FormControl* FormState::find(long id) const {
  for (const FormControl& control : controls) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

FormControl* FormState::find(long id) {
  return const_cast<FormControl*>(static_cast<const FormState&>(*this).find(id));
}

}  // namespace platform

fp_FORM::fp_FORM(unsigned dialog_id, HINSTANCE instance) {
  state_.dialog_id = dialog_id;
  platform::detail::form_being_built() = this;
  const platform::DialogTemplate* dialog = platform::find_dialog(instance, dialog_id);
  if (dialog == nullptr) {
    _exgen_error(1, ("forms: dialog " + std::to_string(dialog_id) + " is not among the module's resources").c_str(),
                 0, __FILE__, __LINE__);
    return;
  }
  state_.title = dialog->caption;
  state_.width = dialog->width;
  state_.height = dialog->height;
  state_.controls.reserve(dialog->control_count);
  for (std::size_t i = 0; i < dialog->control_count; ++i) {
    const platform::ControlTemplate& source = dialog->controls[i];
    platform::FormControl control;
    control.id = source.id;
    control.kind = source.kind;
    control.window_class = source.window_class;
    control.text = source.text;
    control.tab_stop = source.tab_stop;
    control.rect = {source.x, source.y, source.width, source.height};
    state_.controls.push_back(std::move(control));
  }
}

fp_FORM::~fp_FORM() {
  close();
  if (platform::detail::form_being_built() == this) platform::detail::form_being_built() = nullptr;
}

// The default handlers accept everything and deal with nothing.
bool fp_FORM::process() {
  if (!state_.open || finished_) return false;
  platform::detail::activate_window(window_);
  if (state_.focus == 0) {
    for (const platform::FormControl& control : state_.controls) {
      if (control.tab_stop && control.visible && control.enabled && !control.display_only) {
        state_.focus = control.id;
        break;
      }
    }
  }
  platform::current_user().run_form(*this);
  if (!finished_) {
    // A user who leaves the form without OK or Cancel has chosen nothing: that is Cancel.
    finished_ = true;
    ok_ = false;
  }
  close();
  return ok_;
}
void fp_FORM::common_field_entered(long, bool) {}
void fp_FORM::common_field_exited(long, bool) {}
long fp_FORM::field_entry(long, bool&) { return 0; }
long fp_FORM::field_exit(long, unsigned long*, int, bool&) { return 0; }
long fp_FORM::field_pushed(long, bool&) { return 0; }
long fp_FORM::field_browser(long, bool&) { return 0; }
long fp_FORM::field_validate(long, bool, bool&) { return 0; }
long fp_FORM::form_exit() { return 0; }
long fp_FORM::key_pressed(long, unsigned long&, bool&, bool&, bool&) { return 0; }
long fp_FORM::dialog_procedure(unsigned, unsigned, long) { return 0; }
const char* fp_FORM::registry_key() { return ""; }
long fp_FORM::notify(NOTIFY_CODE, unsigned long, unsigned long, std::int64_t, std::int64_t) { return 0; }

void fp_FORM::takeover_key_in_form(unsigned long key, const char* status_text, int, bool take) {
  auto& keys = state_.taken_keys;
  keys.erase(std::remove(keys.begin(), keys.end(), key), keys.end());
  if (take) keys.push_back(key);
  if (status_text != nullptr && *status_text != '\0') state_.status_bar = status_text;
}

void fp_FORM::confirm_cancel(bool ask) { confirm_cancel_ = ask; }
void fp_FORM::add_statusbar() { state_.has_status_bar = true; }

bool fp_FORM::open(bool) {
  if (state_.open || state_.dialog_id == 0 || (state_.controls.empty() && state_.width == 0)) return false;
  state_.open = true;
  finished_ = false;
  ok_ = false;
  data_changed_ = false;
  window_ = platform::detail::add_window(this);
  return true;
}

void fp_FORM::close() {
  if (window_ != nullptr) platform::detail::remove_window(window_);
  window_ = nullptr;
  state_.open = false;
}

void fp_FORM::set_title(const char* title) { state_.title = title != nullptr ? title : ""; }
void fp_FORM::set_status_text(const char* text) { state_.status_bar = text != nullptr ? text : ""; }

void fp_FORM::set_focus(long id) {
  if (state_.find(id) != nullptr) state_.focus = id;
}

platform::Rect fp_FORM::control_rect(long id) const {
  const platform::FormControl* control = state_.find(id);
  return control != nullptr ? control->rect : platform::Rect{};
}

void fp_FORM::move_control(long id, int dx, int dy) {
  if (platform::FormControl* control = state_.find(id)) {
    control->rect.x += dx;
    control->rect.y += dy;
  }
}

void fp_FORM::resize_control(long id, int dwidth, int dheight) {
  if (platform::FormControl* control = state_.find(id)) {
    control->rect.width = std::max(0, control->rect.width + dwidth);
    control->rect.height = std::max(0, control->rect.height + dheight);
  }
}

void fp_FORM::show_control(long id, bool show) {
  if (platform::FormControl* control = state_.find(id)) control->visible = show;
  if (!show && state_.focus == id) state_.focus = 0;
}

void fp_FORM::enable_control(long id, bool enable) {
  if (platform::FormControl* control = state_.find(id)) control->enabled = enable;
  if (!enable && state_.focus == id) state_.focus = 0;
}

void fp_FORM::set_dialog_size(int width, int height) {
  state_.width = std::max(0, width);
  state_.height = std::max(0, height);
}

platform::FormControl* fp_FORM::bind(long id, platform::FormControl::Field field) {
  platform::FormControl* control = state_.find(id);
  if (control == nullptr) {
    // A field the template lacks still works, invisibly, so that a faulty screen loses no value.
    _exgen_error(1, ("forms: control " + std::to_string(id) + " is not on dialog " +
                     std::to_string(state_.dialog_id)).c_str(), 0, __FILE__, __LINE__);
    platform::FormControl added;
    added.id = id;
    added.kind = platform::ControlKind::Other;
    added.visible = false;
    state_.controls.push_back(std::move(added));
    control = &state_.controls.back();
  }
  control->field = field;
  return control;
}

void fp_FORM::value_changed(const platform::FormControl& control) {
  if (control.counts_as_change) data_changed_ = true;
}

void fp_FORM::choose_radio(long radio_id) {
  platform::FormControl* chosen = state_.find(radio_id);
  if (chosen == nullptr) return;
  for (platform::FormControl& control : state_.controls) {
    if (control.field == platform::FormControl::Field::Radio && control.kind == platform::ControlKind::RadioButton &&
        control.group == chosen->group) {
      control.checked = false;
    }
  }
  chosen->checked = true;
}
