#include "platform/errors.h"

#include <gtest/gtest.h>

namespace {

TEST(ReportChannel, ProgramErrorsReachTheNewestCapture) {
  platform::ReportCapture outer;
  {
    platform::ReportCapture inner;
    _exgen_error(0, "Refresh failed", 0, "DTU_Partner", 42);
    ASSERT_EQ(inner.lines().size(), 1u);
    EXPECT_EQ(inner.lines()[0], "error 0 in DTU_Partner line 42: Refresh failed");
  }
  _exgen_error(2, nullptr, 1, nullptr, 7);
  ASSERT_EQ(outer.lines().size(), 1u);
  EXPECT_EQ(outer.lines()[0], "error 2 in  line 7:  [flag 1]");
  EXPECT_TRUE(outer.contains("[flag 1]"));
}

}  // namespace
