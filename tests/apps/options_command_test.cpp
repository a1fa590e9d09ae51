// `qarntash-host options` and `report-settings` as a user runs them: the default demo practice,
// set NAME=VALUE (refusing the whole list at a bad pair), and a user's layout settings.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "support/temporary_folder.h"

namespace {

using test_support::TemporaryFolder;

struct HostRun {
  int exit_code;
  std::string out;
  std::string err;
};

std::string read_all(const std::string& path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

HostRun run_host(const TemporaryFolder& folder, const std::string& arguments) {
  const std::string out = folder.string() + "/out.txt";
  const std::string err = folder.string() + "/err.txt";
  const std::string command = "cd '" + folder.string() + "' && env -u QARNTASH_DATA_PATH '" +
                              std::string(QARNTASH_HOST_PROGRAM) + "' " + arguments + " >'" + out + "' 2>'" + err +
                              "' </dev/null";
  const int status = std::system(command.c_str());
  return {WEXITSTATUS(status), read_all(out), read_all(err)};
}

TEST(HostOptions, ShowsAndSetsThePracticeDefaultsOfTheDemoPractice) {
  TemporaryFolder folder;
  HostRun shown = run_host(folder, "options tax-return show");
  ASSERT_EQ(shown.exit_code, 0) << shown.err;
  EXPECT_NE(shown.err.find("Wrote the demo practice into demo-practice"), std::string::npos);
  EXPECT_NE(shown.out.find("return-id: utr\nstatus: final\n"), std::string::npos) << shown.out;

  const HostRun refused = run_host(folder, "options tax-return set status=unrecorded lock-r40=maybe");
  EXPECT_NE(refused.exit_code, 0);
  EXPECT_NE(refused.err.find("\"lock-r40=maybe\": lock-r40 takes yes or no"), std::string::npos) << refused.err;
  EXPECT_EQ(run_host(folder, "options tax-return show").out, shown.out);  // nothing of the list was saved

  const HostRun set = run_host(folder, "options computation set status=unrecorded suppress-agent-details=no");
  ASSERT_EQ(set.exit_code, 0) << set.err;
  shown = run_host(folder, "options computation show --data demo-practice");
  EXPECT_EQ(shown.out,
            "status: unrecorded\ndate-time-stamp: no\nemployment-lock: yes\nsuppress-payment-due-date: no\n"
            "suppress-agent-details: no\n");
  const HostRun report = run_host(folder, "options report show --type 1");
  EXPECT_NE(report.out.find("status: unrecorded\n"), std::string::npos) << report.out;
}

TEST(HostOptions, ReportSettingsPrintsAUsersLayoutAndRefusesAFolderWithoutAPractice) {
  TemporaryFolder folder;
  const HostRun user7 = run_host(folder, "report-settings --user 7");
  ASSERT_EQ(user7.exit_code, 0) << user7.err;
  EXPECT_NE(user7.out.find("header date-text: choice 0, option A 0\n"), std::string::npos) << user7.out;
  EXPECT_NE(user7.out.find("footer page-number: placement 0, choice 2, option A 1\n"), std::string::npos);
  EXPECT_NE(user7.out.find("fly-sheet: width 80, drop 10"), std::string::npos);

  const HostRun elsewhere = run_host(folder, "report-settings --data '" + folder.string() + "'");
  EXPECT_NE(elsewhere.exit_code, 0);
  EXPECT_NE(elsewhere.err.find("holds no practice defaults table"), std::string::npos) << elsewhere.err;
}

}  // namespace
