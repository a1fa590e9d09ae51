// The compiled-in resources are the resource script as it stands now: a change to the script
// that the build did not carry into the library fails here.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#if defined(_WIN32)
#include <windows.h>
#endif

#include "platform/resources.h"
#include "qarntash/library.h"
#include "resource_script.h"

using platform::detail::parse_resource_script;

TEST(ResourceScript, CompiledInTableMatchesTheScript) {
  std::ifstream file(QARNTASH_RESOURCE_SCRIPT);
  ASSERT_TRUE(file) << QARNTASH_RESOURCE_SCRIPT;
  std::ostringstream script;
  script << file.rdbuf();
  std::string error;
  const auto parsed = parse_resource_script(script.str(), error);
  ASSERT_TRUE(parsed) << error;

  ASSERT_EQ(parsed->dialogs.size(), 7u);
  for (const auto& dialog : parsed->dialogs) {
    const platform::DialogTemplate* built = platform::find_dialog(qarntash_instance(), dialog.id);
    ASSERT_NE(built, nullptr) << "dialog " << dialog.id;
    EXPECT_EQ(built->caption, dialog.caption) << "dialog " << dialog.id;
    EXPECT_EQ(built->height, dialog.height) << "dialog " << dialog.id;
    ASSERT_EQ(built->control_count, dialog.controls.size()) << "dialog " << dialog.id;
    for (std::size_t i = 0; i < dialog.controls.size(); ++i) {
      const auto& want = dialog.controls[i];
      const auto& have = built->controls[i];
      EXPECT_TRUE(have.kind == want.kind && have.id == want.id && have.text == want.text && have.x == want.x &&
                  have.y == want.y && have.width == want.width && have.height == want.height)
          << "dialog " << dialog.id << " control " << i << " (" << want.id << " \"" << want.text << "\")";
    }
  }
  for (const auto& [id, text] : parsed->strings) {
    char buffer[256];
    platform_load_string(qarntash_instance(), id, buffer, sizeof buffer);
    EXPECT_EQ(buffer, text) << "string " << id;
  }
}

#if defined(_WIN32)
// On Windows the resource compiler built the same script into qarntash.dll: every string is there
// for LoadStringA, every dialog template for FindResource, and the DLL has a version block.
TEST(ResourceScript, TheDllCarriesTheScriptsStringsAndDialogs) {
  std::ifstream file(QARNTASH_RESOURCE_SCRIPT);
  std::ostringstream script;
  script << file.rdbuf();
  std::string error;
  const auto parsed = parse_resource_script(script.str(), error);
  ASSERT_TRUE(parsed) << error;
  ASSERT_FALSE(parsed->strings.empty());
  for (const auto& [id, text] : parsed->strings) {
    char buffer[256] = "";
    EXPECT_EQ(LoadStringA(qarntash_instance(), id, buffer, sizeof buffer), static_cast<int>(text.size())) << id;
    EXPECT_EQ(buffer, text) << "string " << id;
  }
  for (const auto& dialog : parsed->dialogs) {
    EXPECT_NE(FindResourceA(qarntash_instance(), MAKEINTRESOURCEA(dialog.id), MAKEINTRESOURCEA(5)), nullptr)  // RT_DIALOG
        << "dialog " << dialog.id;
  }
  EXPECT_NE(FindResourceA(qarntash_instance(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16)), nullptr);  // RT_VERSION
  EXPECT_EQ(FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1001), MAKEINTRESOURCEA(5)), nullptr)
      << "the progress dialog belongs to the DLL, not the test program";
}
#endif

TEST(ResourceScript, ReadsTheStatementsOfADialog) {
  const char* script =
      "#include \"resource.h\"\n"
      "/* a block\n comment */ LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_UK\n"
      "7 DIALOGEX 0, 0, 100, 50\nSTYLE DS_MODALFRAME | WS_POPUP\nCAPTION \"Say \"\"hi\"\"\"\n"
      "FONT 8, \"MS Sans Serif\"\nBEGIN\n"
      "  EDITTEXT 10, 1, 2, 3, 4, ES_READONLY | NOT WS_TABSTOP\n"
      "  CONTROL \"\", 11, \"msctls_progress32\", WS_BORDER, 5, 6, 7, 8\n"
      "  LTEXT \"a\\nb\", IDC_STATIC, 0, 0, 9, 9 // trailing comment\n"
      "  DEFPUSHBUTTON \"OK\", IDOK, 1, 1, 1, 1\nEND\n"
      "STRINGTABLE\nBEGIN\n  5, \"five\"\n  0x10 \"sixteen\"\nEND\n";
  std::string error;
  const auto parsed = parse_resource_script(script, error);
  ASSERT_TRUE(parsed) << error;
  ASSERT_EQ(parsed->dialogs.size(), 1u);
  const auto& dialog = parsed->dialogs[0];
  EXPECT_EQ(dialog.caption, "Say \"hi\"");
  ASSERT_EQ(dialog.controls.size(), 4u);
  EXPECT_EQ(dialog.controls[0].kind, platform::ControlKind::Edit);
  EXPECT_FALSE(dialog.controls[0].tab_stop);
  EXPECT_EQ(dialog.controls[1].kind, platform::ControlKind::Progress);
  EXPECT_EQ(dialog.controls[1].x, 5);
  EXPECT_EQ(dialog.controls[2].text, "a\nb");
  EXPECT_EQ(dialog.controls[2].id, -1);
  EXPECT_EQ(dialog.controls[3].id, 1);
  EXPECT_TRUE(dialog.controls[3].tab_stop);
  EXPECT_EQ(parsed->strings, (std::vector<std::pair<unsigned, std::string>>{{5, "five"}, {16, "sixteen"}}));
}

TEST(ResourceScript, RefusesWhatItCannotReadSayingWhere) {
  const struct {
    const char* script;
    const char* error;
  } rows[] = {
      {"1 DIALOGEX 0, 0, 10\nBEGIN\nEND\n", "line 2: dialog 1 needs x, y, width and height"},
      {"1 DIALOG 0, 0, 10, 10\nBEGIN\n  LISTBOX 5, 0, 0, 1, 1\nEND\n", "line 3: unknown control \"LISTBOX\" in dialog 1"},
      {"1 DIALOG 0, 0, 10, 10\nBEGIN\n  LTEXT \"x\", 5, 0, 0\nEND\n", "line 4: LTEXT in dialog 1 has the wrong arguments"},
      {"STRINGTABLE\nBEGIN\n 5 \"open\nEND\n", "line 3: a text is not closed"},
      {"STRINGTABLE\nBEGIN\n 5\nEND\n", "line 4: string 5 needs a text"},
      {"1 DIALOG 0, 0, 10, 10\nBEGIN\n", "line 2: missing END"},
      {"MENU", "line 1: unexpected \"MENU\""},
  };
  for (const auto& row : rows) {
    std::string error;
    EXPECT_FALSE(parse_resource_script(row.script, error)) << row.script;
    EXPECT_EQ(error, row.error) << row.script;
  }
}
