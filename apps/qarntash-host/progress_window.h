// The library's progress window for the life of one piece of work, closed however it ends.
#pragma once

#include "qarntash/reporting/progress_bar.h"

namespace host {

class ProgressWindow {
 public:
  ProgressWindow(const char* title, const char* message) { Start_Progress_Bar_prog010(nullptr, title, message); }
  ~ProgressWindow() { End_Progress_Bar_prog010(); }
  ProgressWindow(const ProgressWindow&) = delete;
  ProgressWindow& operator=(const ProgressWindow&) = delete;
};

}  // namespace host
