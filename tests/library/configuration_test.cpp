#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "qarntash/library.h"
#include "support/practice_folder.h"

namespace {

TEST(LibraryConfiguration, GivesTheDataPathConfiguredNowNotTheOneAtLoad) {
  const std::string at_load = qarntash_configuration().data_path;
  {
    test_support::PracticeFolder practice({"ZORV1005.TTL"});  // sets QARNTASH_DATA_PATH
    EXPECT_EQ(std::string(qarntash_configuration().data_path), practice.data_path());
  }
  EXPECT_EQ(std::string(qarntash_configuration().data_path), at_load);
}

}  // namespace
