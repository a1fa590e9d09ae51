#include "client_file_name.h"

#include <string>

#include <gtest/gtest.h>

namespace {

using practice_data_internal::client_file_name;

TEST(ClientFileName, NamesAreSafeOnWindowsAndAsAPath) {
  using namespace std::string_literals;
  const struct { std::string visible_id; const char* expected; } cases[] = {
      {"AB/12:X", "AB_12_X"},
      {R"(a\b#c*d"e)", "a_b_c_d_e"},
      {"x>y<z|w", "x_y_z_w"},
      {"HIGH?ST.", "HIGH_ST."},     // "?" is a wildcard: it would match other clients' files
      {"A.B", "A.B"},               // dots inside a name stay
      {"SMITH & CO", "SMITH & CO"}, // so do spaces
      {"tab\there", "tab_here"},
      {"bell\x7f", "bell_"},
      {"caf\xc3\xa9", "caf\xc3\xa9"},  // beyond ASCII: kept as it is
      {".", "_"},
      {"..", "__"},
      {"....", "____"},
      {".a", ".a"},
      {"CON", "_CON"},
      {"con", "_con"},
      {"Con.txt", "_Con.txt"},
      {"CON .x", "_CON .x"},
      {"PRN", "_PRN"},
      {"aux", "_aux"},
      {"NUL.", "_NUL."},
      {"COM1", "_COM1"},
      {"lpt9.doc", "_lpt9.doc"},
      {"COM0", "COM0"},
      {"COM10", "COM10"},
      {"CONSOLE", "CONSOLE"},
      {"ACON", "ACON"},
      {"ABCDEFGHIJKL", "ABCDEFGHIJ"},   // the clients table keeps 10 characters
      {"ABCDEFGHI?KL", "ABCDEFGHI_"},
      {"AB\0CD"s, "AB"},                // a stored ID ends at its NUL
  };
  for (const auto& c : cases) {
    const auto name = client_file_name(c.visible_id);
    ASSERT_TRUE(name.has_value()) << c.visible_id;
    EXPECT_EQ(*name, c.expected) << c.visible_id;
  }
}

TEST(ClientFileName, AnEmptyIdHasNoName) {
  using namespace std::string_literals;
  EXPECT_FALSE(client_file_name("").has_value());
  EXPECT_FALSE(client_file_name("\0ABC"s).has_value());
}

}  // namespace
