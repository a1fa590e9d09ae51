#include "date_text.h"

#include <gtest/gtest.h>

#include "support/temporary_folder.h"

namespace {

using test_support::day_number;

TEST(HostDates, ReadBothWrittenFormsAndRefuseDaysThatDoNotExist) {
  const struct { const char* text; long expected; } cases[] = {
      {"2021-04-06", day_number(6, 4, 2021)}, {"06/04/2021", day_number(6, 4, 2021)},
      {"2020-02-29", day_number(29, 2, 2020)}, {"2021-02-29", 0}, {"31/04/2021", 0},
      {"2021-13-01", 0},  {"2021-04-06x", 0}, {"", 0}, {"6 April 2021", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(host::parse_date(c.text), c.expected) << c.text;
  EXPECT_EQ(host::exact_date(30, 4, 2021), day_number(30, 4, 2021));
  EXPECT_EQ(host::exact_date(31, 4, 2021), 0);
}

}  // namespace
