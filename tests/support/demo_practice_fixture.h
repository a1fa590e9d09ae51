// The demo practice, written once for a test program and made the configured data path of each
// test that derives from DemoPracticeTest.
#pragma once

#include <cstdlib>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "platform/practice/demo_practice.h"
#include "support/environment.h"
#include "support/temporary_folder.h"

namespace test_support {

class DemoPracticeTest : public ::testing::Test {
 public:
  static void SetUpTestSuite() {
    folder_ = std::make_unique<TemporaryFolder>();
    ASSERT_EQ(platform::write_demo_practice(folder_->string()), 0);
  }
  static void TearDownTestSuite() { folder_.reset(); }
  static std::string data_path() { return folder_->string(); }

 protected:
  void SetUp() override {
    const char* previous = std::getenv("QARNTASH_DATA_PATH");
    had_previous_ = previous != nullptr;
    if (had_previous_) previous_ = previous;
    test_support::set_environment_variable("QARNTASH_DATA_PATH", data_path());
  }
  void TearDown() override {
    if (had_previous_) {
      test_support::set_environment_variable("QARNTASH_DATA_PATH", previous_);
    } else {
      test_support::remove_environment_variable("QARNTASH_DATA_PATH");
    }
  }

 private:
  static inline std::unique_ptr<TemporaryFolder> folder_;
  bool had_previous_ = false;
  std::string previous_;
};

}  // namespace test_support
