// The windows of open forms: each open form gets a handle of its own, so that calls which name a
// window (wp_focusoncontrol, HideableFormSection) reach the form, and a stale handle reaches
// nothing instead of freed memory.
#pragma once

#include "platform/forms.h"

namespace platform::detail {

HWND add_window(fp_FORM* form);
void remove_window(HWND window);
// Makes the form behind `window` the active one (the last shown).
void activate_window(HWND window);
// The form being built on this thread: the fields constructed next attach to it.
fp_FORM*& form_being_built();

}  // namespace platform::detail
