#include <cstdint>
#include <cstdlib>
#include <deque>
#include <string>

#include <gtest/gtest.h>

#include "platform/practice/clients.h"
#include "platform/practice/demo_practice.h"
#include "platform/practice/practice_table.h"
#include "platform/store_faults.h"
#include "platform/types.h"
#include "platform/window_services.h"
#include "qarntash/practice_data/client_status.h"
#include "support/environment.h"
#include "support/temporary_folder.h"

namespace {

// Each test changes flags, so each has a demo practice of its own.
class ClientStatus : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(platform::write_demo_practice(folder_.string()), 0);
    test_support::set_environment_variable("QARNTASH_DATA_PATH", folder_.string());
  }
  void TearDown() override { test_support::remove_environment_variable("QARNTASH_DATA_PATH"); }

  static std::int32_t flags_of(std::uint8_t type, std::int32_t number) {
    platform::PracticeTable<zorv1005_rec> clients("test");
    return clients.find(1, PMCO_INT_REF{type, number}).ok() ? clients.record().status_flags : -1;
  }
  static void put_flags(std::uint8_t type, std::int32_t number, std::int32_t flags) {
    platform::PracticeTable<zorv1005_rec> clients("test");
    ASSERT_TRUE(clients.find(1, PMCO_INT_REF{type, number}).ok());
    clients.record().status_flags = flags;
    ASSERT_TRUE(clients.update(1).ok());
  }

  test_support::TemporaryFolder folder_;
};

TEST_F(ClientStatus, SetAndClearWriteOnlyAChangeOfTheWholeMask) {
  const struct { std::int32_t before; int set, mask; int result; std::int32_t after; } cases[] = {
      {0x0, 1, 0x2, 0, 0x2},   {0x2, 1, 0xA, 0, 0x2},  // one mask bit already set: nothing written
      {0x8, 0, 0xA, 0, 0x0},   {0x4, 0, 0x2, 0, 0x4},  // clearing with no mask bit set: nothing to do
      {0x2, 2, 0x2, 0, 0x2},   {0x2, -1, 0x2, 0, 0x2},  // neither set nor clear
  };
  for (const auto& c : cases) {
    put_flags(2, 2001, c.before);
    EXPECT_EQ(SetClientStatus(2001, 2, c.set, c.mask), c.result) << c.before << " " << c.set << " " << c.mask;
    EXPECT_EQ(flags_of(2, 2001), c.after) << c.before << " " << c.set << " " << c.mask;
  }
}

TEST_F(ClientStatus, RefusesTypesNoReferenceHoldsAndReportsStoreFailures) {
  EXPECT_EQ(SetClientStatus(1001, 257, 0, 2), 1);  // 257 would be cut to type 1: John Smith
  EXPECT_EQ(flags_of(1, 1001), 2);
  EXPECT_EQ(SetClientStatus(1999, 1, 1, 2), BTR_KEY_NOT_FOUND);
  for (const int failure : {BTR_RECORD_CONFLICT, BTR_FILE_BUSY}) {
    platform::StoreFaults faults;
    faults.fail_next(BTR_UPDATE, failure);
    EXPECT_EQ(SetClientStatus(1001, 1, 0, 2), failure);
    EXPECT_EQ(flags_of(1, 1001), 2);
  }
}

TEST_F(ClientStatus, AsksTheUserAndWritesOnlyAnExplicitAnswer) {
  const struct { std::uint8_t type; std::int32_t number; char answer; char result; std::int32_t after; const char* text; }
      cases[] = {
          {2, 2001, 'N', 0, 0x0, "Is this business currently a client?"},
          {2, 2001, 'Y', 1, 0x2, "Is this business currently a client?"},
          {5, 5001, 'N', 0, 0x0, "Is this trust currently a client?"},
          {5, 5002, kBoxClosed, 0, 0x2, "Is this trust currently a client?"},  // closed: unchanged
      };
  for (const auto& c : cases) {
    if (c.answer == 'Y') put_flags(c.type, c.number, 0);
    platform::ScriptedUser user({c.answer});
    EXPECT_EQ(CheckClientStatus(c.number, c.type, "Acme", 2), c.result) << c.number << " " << c.answer;
    EXPECT_EQ(flags_of(c.type, c.number), c.after) << c.number << " " << c.answer;
    ASSERT_EQ(user.shown().size(), 1u);
    EXPECT_EQ(user.shown()[0].caption, "Client status for Acme");
    EXPECT_EQ(user.shown()[0].text, c.text);
    EXPECT_EQ(user.shown()[0].buttons, "YN");
    EXPECT_EQ(user.shown()[0].icon, platform::Icon::Question);
  }
  platform::ScriptedUser nobody;
  EXPECT_EQ(CheckClientStatus(1001, 300, nullptr, 2), 0);  // no question for a type that names nobody
  EXPECT_TRUE(nobody.shown().empty());
}

}  // namespace
