// The host's practice-record commands on the demo practice, run as a user would type them.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host_command_runner.h"
#include "practice_option.h"
#include "support/demo_practice_fixture.h"
#include "support/temporary_folder.h"

namespace {

class PracticeCommands : public test_support::DemoPracticeTest {
 protected:
  // Runs `arguments` (without the program name); the output goes to `output`. The exit status.
  int run(std::vector<std::string> arguments, std::string* output) {
    return test_support::run_host_commands({host::add_client_command, host::add_dates_command, host::add_address_command,
                                            host::add_barcode_command},
                                           arguments, output);
  }
  // Points a command that reads the practice at the demo (the barcode reads none).
  static void with_data(std::vector<std::string>* arguments) {
    if ((*arguments)[0] == "barcode") return;
    arguments->push_back("--data");
    arguments->push_back(data_path());
  }
};

TEST_F(PracticeCommands, ShowWhatTheLibraryFindsInThePractice) {
  const struct { std::vector<std::string> arguments; std::vector<std::string> expected; } cases[] = {
      {{"client", "--id", "AB/12:X"},
       {"Reference:  2:2004", "Visible ID: \"AB/12:X\"", "File name:  \"AB_12_X\"", "Branch:     2"}},
      {{"client", "--ref", "2:2005"}, {"Visible ID: \"CON\"", "File name:  \"_CON\"", "Branch:     3"}},
      {{"client", "--id", "HIGH?ST."}, {"File name:  \"HIGH_ST.\"", "Branch:     1"}},
      {{"dates", "--client", "AB/12:X", "--period-end", "2020-02-29"},
       {"Incorporated:  01/03/2017", "Period start:  01/03/2019, by the day after the previous period ended"}},
      {{"dates", "--client", "AB/12:X", "--period-id", "41"},
       {"Period end:    28/02/2018", "Period start:  01/03/2017, by the date of incorporation",
        "First period of the trade: yes"}},
      {{"dates", "--client", "HIGH?ST.", "--period-end", "31/12/2020"},
       {"Trade began:   01/06/2010", "Trade ended:   31/12/2022", "01/06/2010, by the date the trade began"}},
      {{"dates", "--client", "CON", "--period-end", "2021-03-31"},
       {"Trade began:   none", "Period start:  01/04/2020, by one year before the period end"}},
      {{"address", "default", "--client", "AB/12:X"}, {"Cardiff Office", "CF10 1EA"}},
      {{"address", "agent", "--client", "lowcase"}, {"Branch:  3", "Agent:   York Tax Agents", "Minster Yard"}},
      {{"barcode", "--reference", "1234567890", "--number", "25", "--code", "A"},
       {"\"1 2 3 4 5 6 7 8 9 0 A 2 5  CR\""}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> arguments = c.arguments;
    with_data(&arguments);
    std::string output;
    EXPECT_EQ(run(arguments, &output), 0) << arguments[0] << " " << arguments[2];
    for (const std::string& line : c.expected) {
      EXPECT_NE(output.find(line), std::string::npos) << "missing: " << line << "\nin:\n" << output;
    }
  }
}

TEST_F(PracticeCommands, RefuseWhatThePracticeDoesNotHold) {
  const std::vector<std::string> refused[] = {
      {"client", "--id", "NOBODY"},
      {"client", "--ref", "2:2999"},
      {"client", "--ref", "2:99999999999"},
      {"client", "--ref", "two"},
      {"dates", "--client", "CON", "--period-id", "999"},
      {"dates", "--client", "CON", "--period-end", "2021-02-30"},
      {"address", "default", "--client", "SMITHJ"},  // an individual, not a business
      {"barcode", "--reference", "123456789", "--number", "1", "--code", "A"},
  };
  for (std::vector<std::string> arguments : refused) {
    with_data(&arguments);
    std::string output;
    EXPECT_NE(run(arguments, &output), 0) << arguments[0] << " " << arguments[2];
  }
}

// Either way the folder named becomes the library's data path; only an option command, which
// changes what it reads, refuses a folder that is not a practice.
TEST_F(PracticeCommands, TheFolderNamedBecomesTheDataPath) {
  using host::WithoutPracticeFolder;
  const test_support::TemporaryFolder empty;
  const struct { WithoutPracticeFolder fallback; std::string folder; bool refused; } cases[] = {
      {WithoutPracticeFolder::host_default, data_path(), false},
      {WithoutPracticeFolder::demo_practice, data_path(), false},
      {WithoutPracticeFolder::host_default, empty.string(), false},
      {WithoutPracticeFolder::demo_practice, empty.string(), true},
  };
  for (const auto& c : cases) {
    const bool demo = c.fallback == WithoutPracticeFolder::demo_practice;
    if (c.refused) {
      EXPECT_THROW(host::use_practice_folder(c.folder, c.fallback), CLI::ValidationError) << c.folder;
      continue;
    }
    EXPECT_EQ(std::string(host::use_practice_folder(c.folder, c.fallback).data_path), c.folder) << demo;
    EXPECT_EQ(std::string(std::getenv("QARNTASH_DATA_PATH")), c.folder) << demo;
  }
}

}  // namespace
