// The host's related-party, client status, usage and job-stage commands on the demo practice.
#include <unistd.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host_command_runner.h"
#include "platform/practice/demo_practice.h"
#include "support/temporary_folder.h"

namespace {

// A practice of its own: client-status changes it.
class PracticeServiceCommands : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(platform::write_demo_practice(folder_.string()), 0); }

  // Runs `arguments` (without the program name) on the practice; the output goes to `output`.
  int run(std::vector<std::string> arguments, std::string* output) {
    arguments.push_back("--data");
    arguments.push_back(folder_.string());
    return test_support::run_host_commands({host::add_related_command, host::add_client_status_command,
                                            host::add_usage_command, host::add_job_stage_command},
                                           arguments, output);
  }

  test_support::TemporaryFolder folder_;
};

TEST_F(PracticeServiceCommands, ShowWhatThePracticeHolds) {
  const struct { std::vector<std::string> arguments; std::vector<std::string> expected; } cases[] = {
      {{"related", "--client", "HARTTRUST", "--kind", "1", "--addresses"},
       {"Kind 1:", "1:1001  SMITHJ      Mr John Smith", "Telephone 01756 700111", "75:7501",
        "Kingsway Bank House, 1-3 Kingsway Garden", "BFPO 123\n"}},
      {{"related", "--client", "HARTTRUST"}, {"Kind 2:", "died 14/01/2023", "Kind 4:"}},
      {{"related", "--client", "OAKTRUST", "--kind", "3"}, {"No related parties."}},
      {{"usage", "--year", "2023"}, {"Package usage in 2023:", "Personal tax  2", "Trust tax     2", "Non-resident  2"}},
      {{"client-status", "show", "--client", "EVANSR"}, {"0x00000000 (clear)"}},
      {{"client-status", "clear", "--client", "ACMEJOIN"}, {"0x00000000 (clear)"}},
      {{"client-status", "set", "--client", "ACMEJOIN", "--mask", "10"}, {"0x0000000A (set)"}},
      {{"client-status", "set", "--client", "ACMEJOIN", "--mask", "6"}, {"0x0000000A (partly set)"}},
      {{"job-stage", "--event", "102", "--client", "SMITHJ", "--period", "2023"}, {"stage 2, reached 15/05/2023"}},
      {{"job-stage", "--event", "201", "--client", "ACMEJOIN", "--period", "30/04/2023"}, {"stage 1"}},
      {{"job-stage", "--event", "301", "--client", "SMITHJ", "--period", "2023"}, {"moves no job stage"}},
  };
  for (const auto& c : cases) {
    std::string output;
    EXPECT_EQ(run(c.arguments, &output), 0) << c.arguments[0] << " " << c.arguments[1];
    for (const std::string& text : c.expected) {
      EXPECT_NE(output.find(text), std::string::npos) << "missing: " << text << "\nin:\n" << output;
    }
  }
}

TEST_F(PracticeServiceCommands, RefuseWhatThePracticeDoesNotHold) {
  std::vector<std::vector<std::string>> refused = {
      {"related", "--client", "SMITHJ"},  // not a trust
      {"related", "--client", "NOBODY"},
      {"related", "--client", "HARTTRUST", "--kind", "256"},
      {"client-status", "toggle", "--client", "ACMEJOIN"},
      {"client-status", "set", "--client", "NOBODY"},
      {"usage", "--year", "1066"},
      {"job-stage", "--event", "101", "--client", "SMITHJ", "--period", "31/02/2023"},
      {"job-stage", "--event", "101", "--client", "SMITHJ", "--period", "soon"},
  };
  // Without a terminal nobody can answer the question, so ask changes nothing.
  if (isatty(STDIN_FILENO) == 0) refused.push_back({"client-status", "ask", "--client", "ACMEJOIN"});
  for (const auto& arguments : refused) {
    std::string output;
    EXPECT_NE(run(arguments, &output), 0) << arguments[0] << " " << arguments[1] << " " << arguments[2];
  }
  std::string output;
  ASSERT_EQ(run({"client-status", "show", "--client", "ACMEJOIN"}, &output), 0);
  EXPECT_NE(output.find("0x00000002 (set)"), std::string::npos) << output;
}

}  // namespace
