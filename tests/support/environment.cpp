#include "support/environment.h"

#include <cstdlib>

namespace test_support {

void set_environment_variable(const char* name, const std::string& value) {
#if defined(_WIN32)
  _putenv_s(name, value.c_str());  // the C runtime every module of the process shares
#else
  setenv(name, value.c_str(), 1);
#endif
}

void remove_environment_variable(const char* name) {
#if defined(_WIN32)
  _putenv_s(name, "");  // an empty value removes the variable
#else
  unsetenv(name);
#endif
}

}  // namespace test_support
