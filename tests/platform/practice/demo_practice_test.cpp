#include "platform/practice/demo_practice.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>

#include "platform/practice_tables.h"
#include "support/temporary_folder.h"

namespace {

int count_records(const std::string& folder, const std::string& file_name) {
  btrv_fcb* handle = nullptr;
  if (_btopen(&handle, 0, 0, 0, 0, folder.c_str(), file_name.c_str(), "qelbin", 0, "", 0, 0) != 0) return -1;
  int count = 0;
  for (int status = _bt(BTR_GET_FIRST, handle, 0, "", 0, 0); status == 0; status = _bt(BTR_GET_NEXT, handle, 0, "", 0, 0)) {
    ++count;
  }
  _btclose(&handle, "", 0, 0);
  return count;
}

TEST(DemoPractice, FillsEveryTableWithClientsOfEachTypeInBothBranches) {
  test_support::TemporaryFolder folder;
  const std::string demo = (folder.path() / "practice").string();
  ASSERT_EQ(platform::write_demo_practice(demo), 0);
  for (const platform::TableDefinition& table : platform::practice_tables()) {
    EXPECT_GT(count_records(demo, table.file_name), 0) << table.file_name;
  }

  std::set<std::pair<int, int>> type_and_branch;
  platform::PracticeTable<zorv1005_rec> clients("demo test", demo.c_str());
  ASSERT_TRUE(clients.walk(0, zorv1005_rec{}, 0, [&](const zorv1005_rec& client) {
    type_and_branch.insert({+client.client_type, +client.branch});
  }).ok());
  for (int type : {1, 2, 5, 75}) {
    for (int branch : {1, 2}) EXPECT_EQ(type_and_branch.count({type, branch}), 1u) << type << " in " << branch;
  }
}

TEST(DemoPractice, RefusesAFolderThatHoldsAPracticeAndLeavesItAsItWas) {
  test_support::TemporaryFolder folder;
  const std::string demo = folder.string();
  ASSERT_EQ(platform::write_demo_practice(demo), 0);
  const int clients = count_records(demo, "ZORV1005.TTL");
  EXPECT_EQ(platform::write_demo_practice(demo), BTR_FILE_EXISTS);
  EXPECT_EQ(count_records(demo, "ZORV1005.TTL"), clients);
}

TEST(DemoPractice, ItsTaggedRowsReadBackThroughTheirFieldLayouts) {
  test_support::TemporaryFolder folder;
  ASSERT_EQ(platform::write_demo_practice(folder.string()), 0);
  platform::PracticeTable<ZORV1008_REC> addresses("demo test", folder.string().c_str());
  const ZORV1008_REC smith{1, 1001, 1, 1, {}, {}};
  ASSERT_TRUE(addresses.find(0, smith).ok());
  EXPECT_STREQ(addresses.tld().postcode, "BD23 5DX");
  EXPECT_EQ(+addresses.tld().contact_flags[0], 0x10);  // + reads the packed field by value

  ZORV2000_ENTRY19_TLD computations{};
  XFA_TPLATE layout("zorv2000.ttl", 1030, 6, &computations, zorv2000_entry19_tagged_fields());
  FA_BASIC defaults(folder.string().c_str(), layout.xfa_get_filespec());
  const ZORV2000_REC key{kZorv2000ComputationOptions, 0, {}};
  std::memcpy(defaults.key_buffer(), &key, 6);
  ASSERT_EQ(defaults.fa_geteq(0, 0, "test", faba001_constants().report_all), 0);
  EXPECT_EQ(computations.computation_status[0], 2);
  EXPECT_EQ(computations.employment_flags & 1, 1);
}

}  // namespace
