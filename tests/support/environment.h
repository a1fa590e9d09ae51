// Environment variables for tests, in one form for POSIX and Windows (which has no setenv).
#pragma once

#include <string>

namespace test_support {

void set_environment_variable(const char* name, const std::string& value);
void remove_environment_variable(const char* name);

}  // namespace test_support
