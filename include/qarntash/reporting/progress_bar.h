// File: qarntash/reporting/progress_bar.h
//
// The progress window: one line of text above a bar from 0 to 100, which a host program opens
// while it prints or recalculates many clients and advances as it goes. One window at a time.
// Messages are shown up to 79 characters; longer ones are cut. All calls return 0 where they
// return an int; update calls made while no window is open change nothing.
//
//   Start_Progress_Bar_prog010(nullptr, "Printing returns", "Starting");
//   for (int i = 0; i < n; ++i) Update_Progress_Bar_prog010(100 * (i + 1) / n, client_name(i));
//   End_Progress_Bar_prog010();
//
// Or, without a known total: Update_Progress_Bar_Fixed_prog010 advances one step a call (after
// 100, back to 1); Update_Progress_Bar_Speed(0, message) cycles through 1 to 98.
#pragma once

#include "platform/resources.h"
#include "qarntash/export.h"

// Opens the window titled `title` showing `message` at 0. The instance is not used: the dialog
// always comes from this library's resources.
QARNTASH_API int Start_Progress_Bar_prog010(HINSTANCE instance, const char* title, const char* message);
// Sets the bar to `percent` and shows `message`; a percentage above 100 changes nothing.
QARNTASH_API int Update_Progress_Bar_prog010(int percent, const char* message);
// Advances the bar one step and shows `message`, also as the one-line notice.
QARNTASH_API int Update_Progress_Bar_Fixed_prog010(const char* message);
// Sets the bar to `percent` when it is not 0, else advances a counter cycling through 1 to 98.
QARNTASH_API void Update_Progress_Bar_Speed(int percent, const char* message);
// Closes the window if it is open and clears the notice.
QARNTASH_API int End_Progress_Bar_prog010();
