// The host program with a practice on the tests' PostgreSQL cluster: a practice copied from a
// folder to the server and back, checked table by table, the practice commands working on it
// there, and a target that already holds a practice refused without harm.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "host_program_runner.h"
#include "platform/practice/catalogue.h"
#include "support/test_store.h"

namespace {

using test_support::HostRun;
using test_support::run_host;

constexpr const char* kChecked = ": every table holds the same records in the same order.";

std::string quoted(const std::string& text) { return "'" + text + "'"; }

class HostOnServer : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(server.problem(), ""); }

  test_support::TemporaryFolder folder;  // the program's working folder, holding the practice folders
  test_support::TestStore server{test_support::Backend::server};
};

TEST_F(HostOnServer, CopiesAPracticeThereAndBackAndWorksOnItThere) {
  const std::string from = folder.string() + "/from";
  const std::string back = folder.string() + "/back";
  const std::string practice = server.data_path();
  ASSERT_EQ(run_host(folder, "demo-practice " + quoted(from)).exit_code, 0);

  const HostRun there = run_host(folder, "copy-practice " + quoted(from) + " " + quoted(practice));
  ASSERT_EQ(there.exit_code, 0) << there.err;
  const std::string tables = std::to_string(platform::practice_tables().size());
  EXPECT_NE(there.out.find(tables + "/" + tables + " "), std::string::npos) << there.out;  // progress, table by table
  EXPECT_NE(there.out.find("Practice copied to " + practice + kChecked), std::string::npos) << there.out;

  // The practice commands on the server, named by --data or by QARNTASH_DATA_PATH.
  const HostRun client = run_host(folder, "client --id 'AB/12:X' --data " + quoted(practice));
  EXPECT_NE(client.out.find("Reference:  2:2004"), std::string::npos) << client.out << client.err;
  const HostRun dates =
      run_host(folder, "dates --client 'AB/12:X' --period-id 41", QARNTASH_HOST_PROGRAM, practice.c_str());
  EXPECT_NE(dates.out.find("Period end:    28/02/2018"), std::string::npos) << dates.out << dates.err;

  const HostRun home = run_host(folder, "copy-practice " + quoted(practice) + " " + quoted(back));
  ASSERT_EQ(home.exit_code, 0) << home.err;
  EXPECT_NE(home.out.find("Practice copied to " + back + kChecked), std::string::npos) << home.out;
  EXPECT_NE(run_host(folder, "client --id 'AB/12:X' --data " + quoted(back)).out.find("Reference:  2:2004"),
            std::string::npos);
}

TEST_F(HostOnServer, RefusesATargetThatAlreadyHoldsAPracticeAndLeavesItAsItWas) {
  const std::string from = folder.string() + "/from";
  const std::string practice = server.data_path();
  ASSERT_EQ(run_host(folder, "demo-practice " + quoted(practice)).exit_code, 0);  // the demo written on the server
  ASSERT_EQ(run_host(folder, "demo-practice " + quoted(from)).exit_code, 0);
  const struct { std::string from, to; } cases[] = {{from, practice}, {practice, from}};
  for (const auto& c : cases) {
    const HostRun refused = run_host(folder, "copy-practice " + quoted(c.from) + " " + quoted(c.to));
    EXPECT_EQ(refused.exit_code, 1) << c.to;
    EXPECT_NE(refused.err.find("Could not copy the practice:"), std::string::npos) << refused.err;
    EXPECT_EQ(refused.out.find(kChecked), std::string::npos) << refused.out;
  }
  for (const std::string& target : {practice, from}) {
    const HostRun client = run_host(folder, "client --id 'AB/12:X' --data " + quoted(target));
    EXPECT_NE(client.out.find("Reference:  2:2004"), std::string::npos) << target << ": " << client.err;
  }
}

}  // namespace
