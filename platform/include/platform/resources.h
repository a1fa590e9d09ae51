// File: platform/resources.h
//
// A module's resources: its dialog templates and its string table, as a resource script
// (Windows .rc syntax) describes them. On Windows the resource compiler builds them into the
// module; elsewhere a build step turns the same script into a ResourceTable compiled into the
// module, which the module registers under its instance handle when it is loaded. The forms
// toolkit builds a form from the dialog template of the instance it is given, and
// platform_load_string reads the string table as LoadStringA does.
//
// Positions and sizes are dialog units, as in the script.
#pragma once

#include <cstddef>

#include "platform/export.h"

#if defined(_WIN32)
#  include <windows.h>
#else
// Handles of a module and of a window, opaque as on Windows; 0 is no handle.
struct HINSTANCE__;
typedef HINSTANCE__* HINSTANCE;
struct HWND__;
typedef HWND__* HWND;
#endif

namespace platform {

// What a control of a dialog template is; the script's statement decides it.
enum class ControlKind {
  Label,      // LTEXT, CTEXT, RTEXT: static text
  GroupBox,   // GROUPBOX
  Button,     // PUSHBUTTON, DEFPUSHBUTTON
  CheckBox,   // CHECKBOX, AUTOCHECKBOX
  RadioButton,// RADIOBUTTON, AUTORADIOBUTTON
  Edit,       // EDITTEXT
  Progress,   // CONTROL of class "msctls_progress32"
  Other,      // any other CONTROL class
};

struct ControlTemplate {
  ControlKind kind;
  long id;              // -1 (IDC_STATIC) for a control that nothing addresses
  const char* text;     // caption, "" when the statement has none
  const char* window_class;  // "" unless a CONTROL statement names one
  int x, y, width, height;
  bool tab_stop;        // WS_TABSTOP given (or implied for buttons, ticks and edits)
};

struct DialogTemplate {
  unsigned id;
  const char* caption;
  int x, y, width, height;
  const ControlTemplate* controls;
  std::size_t control_count;
};

struct StringEntry {
  unsigned id;
  const char* text;
};

struct ResourceTable {
  const DialogTemplate* dialogs;
  std::size_t dialog_count;
  const StringEntry* strings;
  std::size_t string_count;
};

// Makes `table` the resources of `instance` (a later call for the same instance replaces it).
// The table must outlive its registration; a null table removes it.
PLATFORM_API void register_resources(HINSTANCE instance, const ResourceTable* table);
// The dialog template `id` of `instance`, or null when the module has none of that number.
PLATFORM_API const DialogTemplate* find_dialog(HINSTANCE instance, unsigned id);

// A module's registrations made while it is being loaded, where no lock may be taken, no library
// loaded and no thread waited for (on Windows its DllMain runs under the loader lock): its
// resources, and its path and build date for pmco041_register_vers (not registered when the path
// is null). The module keeps the record alive and unchanged while it is loaded.
struct LoadTimeRegistration {
  HINSTANCE instance;
  const ResourceTable* resources;
  const char* module_path;
  const char* build_date;
  LoadTimeRegistration* next;  // the platform's
};

// Links `registration` in without taking a lock; it is applied (register_resources,
// pmco041_register_vers) before either registry is next read.
PLATFORM_API void register_at_load(LoadTimeRegistration* registration) noexcept;

// Applies the load-time registrations not applied yet. The registries' readers call it first.
PLATFORM_API void apply_load_time_registrations();

}  // namespace platform

extern "C" {
// Copies string `id` of `instance`'s string table into `buffer` as LoadStringA does: at most
// size - 1 characters and a terminator. Returns the number of characters copied, 0 when the
// table lacks the string (the buffer then holds "") or the buffer is null or empty.
PLATFORM_API int platform_load_string(HINSTANCE instance, unsigned id, char* buffer, int size);
}
