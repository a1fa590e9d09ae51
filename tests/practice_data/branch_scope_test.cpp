#include "qarntash/practice_data/branch_scope.h"

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/config.h"
#include "platform/practice_management.h"
#include "platform/store_faults.h"
#include "platform/window_services.h"
#include "support/demo_practice_fixture.h"
#include "support/environment.h"
#include "support/practice_folder.h"

namespace {

class BranchScope : public test_support::DemoPracticeTest {
 protected:
  void SetUp() override {
    DemoPracticeTest::SetUp();
    config_read_conf010(&conf_);
  }
  // A clients-table handle of the caller's own, on `data_path`.
  static btrv_fcb* open_clients(const std::string& data_path, int record_length = 28, int key_length = 15) {
    btrv_fcb* handle = nullptr;
    EXPECT_EQ(_btopen(&handle, 0, 0, record_length, key_length, data_path.c_str(), "ZORV1005.TTL", "qelbin", 0,
                      __FILE__, __LINE__, 0),
              0);
    return handle;
  }
  TK_CONF conf_{};
};

TEST_F(BranchScope, LookupsOutsideAScopeSayInitBranchWasNotCalled) {
  platform::ScriptedUser user;
  zorv1005_rec record{};
  record.branch = 1;
  char id[] = "AB/12:X";
  EXPECT_EQ(GetIntBranchID_business_no(2004), 0);
  EXPECT_EQ(GetIntBranchID_personnel_no(2004, 2), 0);
  EXPECT_EQ(GetIntBranchID_clientID(id), 0);
  EXPECT_EQ(GetIntBranchID_ZORV1005_REC(&record), 0);
  ASSERT_EQ(user.shown().size(), 4u);
  for (const platform::UserMessage& message : user.shown()) {
    EXPECT_EQ(message.caption, "Application Error");
    EXPECT_EQ(message.text, "InitBranch() not called");
  }
  EndBranch();  // no scope: nothing to end
  EXPECT_EQ(GetIntBranchID_business_no(2004), 0);
}

TEST_F(BranchScope, FindsEachClientsBranchByEveryKindOfLookup) {
  platform::ScriptedUser user;
  InitBranch(nullptr, &conf_);
  const struct { const char* id; char type; long number; long branch; } cases[] = {
      {"HIGH?ST.", 2, 2003, 1}, {"AB/12:X", 2, 2004, 2}, {"CON", 2, 2005, 3},
      {"..", 2, 2007, 1},       {"lowcase", 2, 2009, 3}, {"JONESM", 1, 1002, 2},
  };
  for (const auto& c : cases) {
    std::string id = c.id;
    EXPECT_EQ(GetIntBranchID_clientID(id.data()), c.branch) << c.id;
    EXPECT_EQ(GetIntBranchID_personnel_no(c.number, c.type), c.branch) << c.id;
    if (c.type == 2) {
      EXPECT_EQ(GetIntBranchID_business_no(c.number), c.branch) << c.id;
    }
  }
  zorv1005_rec record{};
  record.branch = 3;
  EXPECT_EQ(GetIntBranchID_ZORV1005_REC(&record), 3);
  record.branch = 9;  // not one of the practice's branches
  EXPECT_EQ(GetIntBranchID_ZORV1005_REC(&record), 0);
  EXPECT_EQ(GetIntBranchID_ZORV1005_REC(nullptr), 0);
  EndBranch();
  EXPECT_TRUE(user.shown().empty());
}

TEST_F(BranchScope, WhatIsNotFoundHasNoBranchEvenAfterAnotherClientWasRead) {
  btrv_fcb* lent = open_clients(data_path());
  InitBranch(lent, &conf_);
  ASSERT_EQ(GetIntBranchID_business_no(2004), 2);
  // The lent buffers still hold what the caller had; fill them with a client of branch 3.
  std::memcpy(lent->key_buffer, "CON", 4);
  ASSERT_EQ(_bt(BTR_GET_EQUAL, lent, 0, __FILE__, __LINE__, 0), 0);
  char unknown[] = "NOBODY";
  char twelve[] = "NOBODY AT ALL";
  EXPECT_EQ(GetIntBranchID_clientID(unknown), 0);
  EXPECT_EQ(GetIntBranchID_clientID(twelve), 0);
  EXPECT_EQ(GetIntBranchID_business_no(2999), 0);
  EXPECT_EQ(GetIntBranchID_clientID(nullptr), 0);
  // A number beyond 32 bits is no client's, though its low 32 bits are 2004's.
  if (sizeof(long) > 4) {
    EXPECT_EQ(GetIntBranchID_business_no(static_cast<long>((1ULL << 32) + 2004)), 0);
  }
  EndBranch();
  _btclose(&lent, __FILE__, __LINE__, 0);
}

TEST_F(BranchScope, ALentHandlesBuffersAreGivenBackAsTheyWere) {
  for (const auto& [record_length, key_length] : std::vector<std::pair<int, int>>{{28, 15}, {16, 11}}) {
    btrv_fcb* lent = open_clients(data_path(), record_length, key_length);
    ASSERT_NE(lent, nullptr);
    std::memset(lent->record_buffer, 'r', static_cast<std::size_t>(record_length));
    std::memset(lent->key_buffer, 'k', static_cast<std::size_t>(key_length));
    const std::string record(lent->record_buffer, static_cast<std::size_t>(record_length));
    const std::string key(lent->key_buffer, static_cast<std::size_t>(key_length));
    InitBranch(lent, nullptr);
    char id[] = "CON";
    const long by_id = GetIntBranchID_clientID(id);
    const long by_number = GetIntBranchID_business_no(2004);
    // A record buffer shorter than the clients table's reads no client.
    EXPECT_EQ(by_id, record_length == 28 ? 3 : 0);
    EXPECT_EQ(by_number, record_length == 28 ? 2 : 0);
    EXPECT_EQ(std::string(lent->record_buffer, static_cast<std::size_t>(record_length)), record);
    EXPECT_EQ(std::string(lent->key_buffer, static_cast<std::size_t>(key_length)), key);
    EndBranch();
    EXPECT_EQ(_btclose(&lent, __FILE__, __LINE__, 0), 0) << "the scope must not close a lent handle";
  }
}

// Scopes three deep: owned, lent (a handle on another practice, where AB/12:X is in branch 3),
// owned. Each scope looks up through its own handle, and ending one goes back to the one before.
TEST_F(BranchScope, NestedScopesKeepAndRestoreEachOthersHandles) {
  test_support::PracticeFolder other({"ZORV1005.TTL"});
  zorv1005_rec moved{};
  std::strcpy(moved.client_id, "AB/12:X");
  moved.client_type = 2;
  moved.client_number = 2004;
  moved.branch = 3;
  ASSERT_EQ(other.insert("ZORV1005.TTL", moved), 0);
  btrv_fcb* lent = open_clients(other.data_path());
  test_support::set_environment_variable("QARNTASH_DATA_PATH", data_path());  // the branch services read the demo

  InitBranch(nullptr, &conf_);
  EXPECT_EQ(GetIntBranchID_business_no(2004), 2);
  InitBranch(lent, &conf_);
  EXPECT_EQ(GetIntBranchID_business_no(2004), 3);
  InitBranch(nullptr, &conf_);
  EXPECT_EQ(GetIntBranchID_business_no(2004), 2);
  EndBranch();
  EXPECT_EQ(GetIntBranchID_business_no(2004), 3);
  EndBranch();
  EXPECT_EQ(GetIntBranchID_business_no(2004), 2);
  EXPECT_EQ(_bt(BTR_GET_FIRST, lent, 0, __FILE__, __LINE__, 0), 0) << "the lent handle is still open";
  EndBranch();
  EndBranch();  // one too many: nothing happens
  platform::ScriptedUser user;
  EXPECT_EQ(GetIntBranchID_business_no(2004), 0);
  EXPECT_EQ(user.shown().size(), 1u);
  _btclose(&lent, __FILE__, __LINE__, 0);
}

TEST_F(BranchScope, TwoScopesOpenedAndOneEndedKeepTheServices) {
  InitBranch(nullptr, &conf_);
  InitBranch(nullptr, &conf_);
  EndBranch();
  platform::ScriptedUser user;
  EXPECT_EQ(GetIntBranchID_business_no(2005), 3);
  EndBranch();
  EXPECT_TRUE(user.shown().empty());
}

TEST_F(BranchScope, AScopeWhoseTableDoesNotOpenFindsNothing) {
  platform::ScriptedUser user;
  {
    platform::StoreFaults faults;
    faults.fail_next(platform::kStoreOpenOperation, BTR_FILE_NOT_FOUND);
    InitBranch(nullptr, &conf_);
  }
  EXPECT_EQ(GetIntBranchID_business_no(2004), 0);
  EndBranch();
  InitBranch(nullptr, nullptr);
  EXPECT_EQ(GetIntBranchID_business_no(2004), 0);
  EndBranch();
  {
    InitBranch(nullptr, &conf_);
    platform::StoreFaults faults;
    faults.fail_next(BTR_GET_EQUAL, BTR_IO_ERROR);
    EXPECT_EQ(GetIntBranchID_business_no(2004), 0);
    EXPECT_EQ(GetIntBranchID_business_no(2004), 2);
    EndBranch();
  }
  EXPECT_TRUE(user.shown().empty());
}

TEST_F(BranchScope, DefaultAddressesAreTheBranchesOwnInOneBuffer) {
  const struct { long business; const char* line1; const char* postcode; } cases[] = {
      {2003, "Skipton Office", "BD23 1DY"},
      {2004, "Cardiff Office", "CF10 1EA"},
      {2005, "York Office", "YO1 8AW"},
      {2999, "", ""},  // no such business: no branch and no address
  };
  const ZORV1008_TLD* first = GetDefaultAddress(2003, 0, kPmBranchPartyType, &conf_);
  for (const auto& c : cases) {
    const ZORV1008_TLD* address = GetDefaultAddress(c.business, 0, 0x100 | kPmBranchPartyType, &conf_);
    EXPECT_EQ(address, first);
    EXPECT_STREQ(address->line1, c.line1) << c.business;
    EXPECT_STREQ(address->postcode, c.postcode) << c.business;
  }
  EXPECT_STREQ(GetDefaultAddress(2003, 0, kPmBranchPartyType, nullptr)->line1, "");
  platform::ScriptedUser user;
  EXPECT_EQ(GetIntBranchID_business_no(2003), 0);  // the default address's scope has ended
  EXPECT_EQ(user.shown().size(), 1u);
}

TEST_F(BranchScope, TheAgentIsTheOneOfTheClientsBranch) {
  InitBranch(nullptr, &conf_);
  const struct { long business; const char* agent; const char* line1; } cases[] = {
      {2003, "Skipton Tax Agents", "Agent House"},
      {2004, "Cardiff Tax Agents", "Bay Chambers"},
      {2009, "York Tax Agents", "Minster Yard"},
  };
  for (const auto& c : cases) {
    ZORV1410_TLD agent{};
    ZORV1008_TLD address{};
    ReadAgentAddress(&agent, &address, c.business);
    EXPECT_STREQ(agent.name, c.agent) << c.business;
    EXPECT_STREQ(address.line1, c.line1) << c.business;
  }
  EndBranch();
}

}  // namespace
