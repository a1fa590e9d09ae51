// The progress window over dialog 1001: field 704 shows the message from an 80-byte buffer,
// progress bar 705 the position. Counters for fixed steps and for speed progress persist between
// calls, as host programs call these from loops.
#include "qarntash/reporting/progress_bar.h"

#include <cstring>

#include "platform/forms.h"
#include "platform/window_services.h"
#include "qarntash/library.h"

namespace {

constexpr unsigned kProgressDialog = 1001;
constexpr long kMessageField = 704;
constexpr long kProgressControl = 705;
constexpr std::size_t kMessageSize = 80;   // at most 79 characters and the terminator

char g_message[kMessageSize] = "";
FP_FORM_FIELD_DEF g_fields[] = {{kMessageField, g_message, kMessageSize}};
FP_FORM_DEF g_progress_form = {kProgressDialog, g_fields, 1, nullptr};
int g_fixed_step = 0;
int g_speed_step = 0;

// Shows `percent` and `message` and repaints the window at once.
void show(int percent, const char* message) {
  HWND window = fp_formwpid(&g_progress_form);
  if (window == nullptr) return;
  wp_senditemmessage(window, kProgressControl, kPbmSetPos, static_cast<unsigned long>(percent), 0);
  // Callers may pass more than the buffer holds: cut, never write past it.
  const char* text = message != nullptr ? message : "";
  const std::size_t length = strnlen(text, kMessageSize - 1);
  std::memcpy(g_message, text, length);
  g_message[length] = '\0';
  fp_dispfield(&g_progress_form, kMessageField);
  wp_updatewindow(window);
}

}  // namespace

int Start_Progress_Bar_prog010(HINSTANCE, const char* title, const char* message) {
  g_fixed_step = 0;
  fp_openusinginstanceVV(1, qarntash_instance(), &g_progress_form);
  wp_title(title);
  Update_Progress_Bar_prog010(0, message);
  return 0;
}

int Update_Progress_Bar_prog010(int percent, const char* message) {
  if (percent > 100) return 0;
  show(percent, message);
  wp_focusoncontrol(fp_formwpid(&g_progress_form), kProgressControl);
  return 0;
}

int Update_Progress_Bar_Fixed_prog010(const char* message) {
  if (++g_fixed_step > 100) g_fixed_step = 1;
  show(g_fixed_step, message);
  wp_displaytrivial(message);
  return 0;
}

void Update_Progress_Bar_Speed(int percent, const char* message) {
  if (percent != 0) {
    Update_Progress_Bar_prog010(percent, message);
    g_speed_step = 1;
    return;
  }
  if (++g_speed_step == 99) g_speed_step = 1;
  Update_Progress_Bar_prog010(g_speed_step, message);
}

int End_Progress_Bar_prog010() {
  if (fp_formwpid(&g_progress_form) == nullptr) return 0;
  g_fixed_step = 0;
  fp_close();
  wp_displaytrivial("");
  return 0;
}
