// A set of controls shown or hidden together. The section reaches its form through the window
// handle it was initialised with, so a section that outlives a screen (the process-wide sections
// of the computation options) does nothing once that screen's window has gone.
#include <algorithm>
#include <climits>

#include "platform/forms.h"

HideableFormSection::HideableFormSection(std::vector<long> ids, bool close_gap, std::vector<long> keep_in_place)
    : ids_(std::move(ids)), close_gap_(close_gap), keep_in_place_(std::move(keep_in_place)) {}

void HideableFormSection::Initialise(HWND form_window) {
  window_ = form_window;
  gap_closed_ = false;
  gap_ = 0;
  moved_.clear();
}

void HideableFormSection::Uninitialise() {
  window_ = nullptr;
  gap_closed_ = false;
  gap_ = 0;
  moved_.clear();
}

void HideableFormSection::OnlyShowIf(bool condition, int) {
  fp_FORM* form = platform::form_of_window(window_);
  if (form == nullptr) return;
  for (long id : ids_) form->show_control(id, condition);
  if (!close_gap_ || condition == !gap_closed_) return;

  auto listed = [](const std::vector<long>& list, long id) {
    return std::find(list.begin(), list.end(), id) != list.end();
  };
  if (condition) {
    // Put back exactly what closing the gap moved.
    for (std::size_t index : moved_) form->field_state().controls[index].rect.y += gap_;
    int width = 0, height = 0;
    form->dialog_size(width, height);
    form->set_dialog_size(width, height + gap_);
    moved_.clear();
    gap_closed_ = false;
    return;
  }
  int top = INT_MAX, bottom = INT_MIN;
  for (long id : ids_) {
    const platform::Rect rect = form->control_rect(id);
    top = std::min(top, rect.y);
    bottom = std::max(bottom, rect.bottom());
  }
  if (top >= bottom) return;
  gap_ = bottom - top;
  // By position in the form, as unnamed labels share the id -1.
  auto& controls = form->field_state().controls;
  for (std::size_t index = 0; index < controls.size(); ++index) {
    const platform::FormControl& control = controls[index];
    if (listed(ids_, control.id) || listed(keep_in_place_, control.id) || control.rect.y < bottom) continue;
    moved_.push_back(index);
  }
  for (std::size_t index : moved_) controls[index].rect.y -= gap_;
  int width = 0, height = 0;
  form->dialog_size(width, height);
  form->set_dialog_size(width, height - gap_);
  gap_closed_ = true;
}
