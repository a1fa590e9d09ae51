#include "qarntash/reporting/string_table.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

TEST(StringTable, GivesTheLibrarysMessagesByNumber) {
  const struct {
    unsigned id;
    std::string text;
  } rows[] = {
      {102, "Client status for "},   // the trailing blank is part of it
      {106, "Is this trust currently a client?"},
      {105, "This limited company is not required to calculate a UITF40 adjustment because either it's \n"
            "the first year of trading or the selected accounting period ends before 22/06/05."},
      {110, "^qA sixth of the business profit for the period is less than the instalment currently being "
            "charged to tax.  Do you want to change the amount?"},
      {101, ""},    // not in the table
      {0, ""},
  };
  for (const auto& row : rows) EXPECT_EQ(CStringTableVori::GetString(row.id).str(), row.text) << row.id;
}

TEST(StringTable, ConcurrentFirstCallsAgree) {
  std::vector<std::thread> threads;
  std::vector<std::string> texts(8);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    threads.emplace_back([&texts, i] { texts[i] = CStringTableVori::GetString(103).str(); });
  }
  for (auto& thread : threads) thread.join();
  for (const auto& text : texts) EXPECT_EQ(text, "Is this business currently a client?");
}
