// Runs the host program's commands in the test's own process, as a user would type them.
#pragma once

#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "commands.h"

namespace test_support {

using AddHostCommand = void (*)(CLI::App&);

// Parses `arguments` (without the program name) with the commands `commands` adds, capturing
// standard output into `output`. The exit status: 0, or the parse or run error's.
inline int run_host_commands(std::initializer_list<AddHostCommand> commands, const std::vector<std::string>& arguments,
                             std::string* output) {
  CLI::App app;
  app.require_subcommand(1);
  for (AddHostCommand add : commands) add(app);
  std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
  int status = 0;
  testing::internal::CaptureStdout();
  try {
    app.parse(reversed);
  } catch (const CLI::ParseError& error) {
    status = error.get_exit_code();
  }
  std::fflush(stdout);
  *output = testing::internal::GetCapturedStdout();
  return status;
}

}  // namespace test_support
