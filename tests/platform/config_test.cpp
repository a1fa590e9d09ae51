#include "platform/config.h"

#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/resources.h"
#include "qarntash/library.h"
#include "support/environment.h"

namespace {

// Sets an environment variable for one test and puts back what was there.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const char* value) : name_(name) {
    const char* old = std::getenv(name);
    had_ = old != nullptr;
    if (had_) old_ = old;
    if (value != nullptr) {
      test_support::set_environment_variable(name, value);
    } else {
      test_support::remove_environment_variable(name);
    }
  }
  ~ScopedEnvironment() {
    if (had_) {
      test_support::set_environment_variable(name_, old_);
    } else {
      test_support::remove_environment_variable(name_);
    }
  }

 private:
  const char* name_;
  bool had_;
  std::string old_;
};

TEST(Configuration, DataPathComesFromTheEnvironmentFirst) {
  platform_set_default_data_path("/default/practice");
  {
    ScopedEnvironment env("QARNTASH_DATA_PATH", "/env/practice");
    TK_CONF conf{};
    EXPECT_EQ(config_read_conf010(&conf), 0);
    EXPECT_STREQ(conf.data_path, "/env/practice");
  }
  {
    ScopedEnvironment env("QARNTASH_DATA_PATH", nullptr);
    TK_CONF conf{};
    config_read_conf010(&conf);
    EXPECT_STREQ(conf.data_path, "/default/practice");
  }
  platform_set_default_data_path("");
}

TEST(Configuration, APathTooLongIsLeftEmptyRatherThanCut) {
  const std::string long_path(300, 'p');
  ScopedEnvironment env("QARNTASH_DATA_PATH", long_path.c_str());
  TK_CONF conf{};
  EXPECT_EQ(config_read_conf010(&conf), 1);
  EXPECT_STREQ(conf.data_path, "");
  EXPECT_EQ(config_read_conf010(nullptr), 0);
}

TEST(LibraryStartUp, RegistersItsOwnPathAndBuildDate) {
  bool found = false;
  for (const RegisteredVersion& version : platform_registered_versions()) {
    if (version.module_path == qarntash_module_path()) {
      found = true;
      EXPECT_EQ(version.build_date, "Jan 14 2022");
    }
  }
  EXPECT_TRUE(found);
  EXPECT_NE(std::string(qarntash_module_path()).find("qarntash"), std::string::npos);
}

// What a module hands over while it is loaded is in both registries at their next read, in the
// order handed over; a registration without a path gives resources only.
TEST(LoadTimeRegistration, IsInBothRegistriesAtTheirNextRead) {
  static const platform::StringEntry strings[] = {{7, "seven"}};
  static const platform::ResourceTable first_table{nullptr, 0, strings, 1};
  static const platform::ResourceTable second_table{nullptr, 0, nullptr, 0};
  static char first_module, second_module;
  const HINSTANCE first = reinterpret_cast<HINSTANCE>(&first_module);
  const HINSTANCE second = reinterpret_cast<HINSTANCE>(&second_module);
  static platform::LoadTimeRegistration registrations[] = {
      {first, &first_table, "/modules/first", "Jan 1 2020", nullptr},
      {second, &second_table, nullptr, "Feb 2 2021", nullptr},
      {first, &second_table, "/modules/first-again", "Mar 3 2022", nullptr},
  };
  for (auto& registration : registrations) platform::register_at_load(&registration);

  std::vector<std::string> paths;
  for (const RegisteredVersion& version : platform_registered_versions()) {
    if (version.module_path.rfind("/modules/", 0) == 0) paths.push_back(version.module_path);
    EXPECT_NE(version.build_date, "Feb 2 2021");
  }
  EXPECT_EQ(paths, (std::vector<std::string>{"/modules/first", "/modules/first-again"}));
  char buffer[16] = "x";
  EXPECT_EQ(platform_load_string(first, 7, buffer, sizeof buffer), 0);  // the later table replaced it
  EXPECT_EQ(platform_load_string(second, 7, buffer, sizeof buffer), 0);
  platform::register_resources(first, nullptr);
  platform::register_resources(second, nullptr);
}

}  // namespace
