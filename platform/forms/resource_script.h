// Reading a resource script (Windows .rc syntax): the dialog templates and the string table, the
// two kinds of resource this suite's modules carry. The build turns a script into a compiled-in
// ResourceTable (resource_table_generator); tests read the script again to check the table.
//
// Understood: LANGUAGE; `id DIALOG|DIALOGEX x, y, w, h` with STYLE, EXSTYLE, CAPTION, FONT,
// MENU and CLASS, then BEGIN ... END of LTEXT, CTEXT, RTEXT, GROUPBOX, PUSHBUTTON,
// DEFPUSHBUTTON, CHECKBOX, AUTOCHECKBOX, RADIOBUTTON, AUTORADIOBUTTON, EDITTEXT and CONTROL;
// STRINGTABLE BEGIN id "text" ... END. Ids are numbers or IDOK, IDCANCEL, IDYES, IDNO and
// IDC_STATIC. Strings take "" for a quote and the escapes \n \t \r \\ \". Comments (// and /* */)
// and preprocessor lines (#...) are skipped.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/resources.h"

namespace platform::detail {

struct ParsedControl {
  ControlKind kind = ControlKind::Label;
  long id = -1;
  std::string text;
  std::string window_class;
  int x = 0, y = 0, width = 0, height = 0;
  bool tab_stop = false;
};

struct ParsedDialog {
  unsigned id = 0;
  std::string caption;
  int x = 0, y = 0, width = 0, height = 0;
  std::vector<ParsedControl> controls;
};

struct ParsedResources {
  std::vector<ParsedDialog> dialogs;
  std::vector<std::pair<unsigned, std::string>> strings;
};

// The script's resources, or nullopt with `error` saying where and what went wrong.
std::optional<ParsedResources> parse_resource_script(const std::string& script, std::string& error);

// C++ source defining `const platform::ResourceTable <symbol>` from `resources`.
std::string resource_table_source(const ParsedResources& resources, const std::string& symbol);

}  // namespace platform::detail
