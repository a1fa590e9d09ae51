// Runs the host program itself, as its user does from a shell, and keeps what it printed.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "support/temporary_folder.h"

namespace test_support {

struct HostRun {
  int exit_code;
  std::string out;
  std::string err;
};

inline std::string read_all(const std::string& path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Runs the program with `arguments` (shell words) inside `folder`.
inline HostRun run_host(const TemporaryFolder& folder, const std::string& arguments,
                        const std::string& program = QARNTASH_HOST_PROGRAM) {
  const std::string out = folder.string() + "/out.txt";
  const std::string err = folder.string() + "/err.txt";
  const std::string command = "cd '" + folder.string() + "' && '" + program + "' " + arguments + " >'" + out +
                              "' 2>'" + err + "' </dev/null";
  const int status = std::system(command.c_str());
  return {WEXITSTATUS(status), read_all(out), read_all(err)};
}

}  // namespace test_support
