#include "platform/store_faults.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/errors.h"
#include "platform/practice_tables.h"
#include "platform/record_store.h"
#include "support/both_backends.h"
#include "support/practice_folder.h"

namespace {

class StoreFaultsTest : public ::testing::TestWithParam<test_support::Backend> {
 protected:
  void SetUp() override {
    ASSERT_EQ(practice.status(), 0) << practice.problem();
    ASSERT_EQ(practice.insert("ZORV1005.TTL", test_support::client_record("AB12", 1, 1001)), 0);
  }

  int open(btrv_fcb** handle) {
    return _btopen(handle, 0, 0, 0, 0, practice.data_path().c_str(), "ZORV1005.TTL", "qelbin", 0, "", 0, 0);
  }

  test_support::PracticeFolder practice{GetParam(), {"ZORV1005.TTL"}};
};
STORE_SUITE_ON_BOTH_BACKENDS(StoreFaultsTest);

TEST_P(StoreFaultsTest, TheNthCallAnswersTheChosenStatusOnceAndIsKeptForBTError) {
  platform::StoreFaults faults;
  faults.fail_call(3, BTR_IO_ERROR);
  faults.fail_call(1, BTR_OK);  // never a forced success
  faults.fail_call(0, BTR_IO_ERROR);
  EXPECT_EQ(faults.pending(), 1);
  btrv_fcb* handle = nullptr;
  ASSERT_EQ(open(&handle), 0);                               // call 1
  EXPECT_EQ(_bt(BTR_GET_FIRST, handle, 0, "", 0, 0), 0);     // call 2
  EXPECT_EQ(_bt(BTR_GET_FIRST, handle, 0, "", 0, 0), BTR_IO_ERROR);  // call 3
  {
    platform::ReportCapture reports;
    EXPECT_EQ(BTError(handle, "test", 0, 3112), BTR_IO_ERROR);
  }
  EXPECT_EQ(_bt(BTR_GET_FIRST, handle, 0, "", 0, 0), 0);     // call 4: runs again
  EXPECT_EQ(faults.calls(), 4);
  EXPECT_EQ(faults.pending(), 0);
  EXPECT_EQ(_btclose(&handle, "", 0, 0), 0);
}

TEST_P(StoreFaultsTest, AFaultedOpenGivesNoHandleAndAFaultedWriteChangesNothing) {
  platform::StoreFaults faults;
  faults.fail_next(platform::kStoreOpenOperation, BTR_FILE_BUSY);
  btrv_fcb* handle = reinterpret_cast<btrv_fcb*>(&faults);  // a stale value the open must clear
  EXPECT_EQ(open(&handle), BTR_FILE_BUSY);
  EXPECT_EQ(handle, nullptr);

  ASSERT_EQ(open(&handle), 0);
  faults.fail_next(BTR_DELETE, BTR_RECORD_CONFLICT);
  ASSERT_EQ(_bt(BTR_GET_FIRST, handle, 0, "", 0, 0), 0);
  EXPECT_EQ(_bt(BTR_DELETE, handle, 0, "", 0, 0), BTR_RECORD_CONFLICT);
  ASSERT_EQ(_bt(BTR_GET_FIRST, handle, 0, "", 0, 0), 0);  // still there
  EXPECT_EQ(_bt(BTR_DELETE, handle, 0, "", 0, 0), 0);     // the fault fired once
  _btclose(&handle, "", 0, 0);
}

TEST_P(StoreFaultsTest, NothingIsForcedOnceTheSeamIsGone) {
  {
    platform::StoreFaults faults;
    faults.fail_next(BTR_GET_FIRST, BTR_IO_ERROR);
  }
  btrv_fcb* handle = nullptr;
  ASSERT_EQ(open(&handle), 0);
  EXPECT_EQ(_bt(BTR_GET_FIRST, handle, 0, "", 0, 0), 0);
  _btclose(&handle, "", 0, 0);
}

}  // namespace
