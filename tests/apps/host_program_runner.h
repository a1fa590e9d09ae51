// Runs the host program itself, as its user does from a shell, and keeps what it printed.
#pragma once

#if !defined(_WIN32)
#include <sys/wait.h>
#endif

#include <algorithm>
#include <cstdlib>
#include <filesystem>
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

// Runs the program with `arguments` (shell words) inside `folder`; with `data_path`, the program
// finds it in QARNTASH_DATA_PATH.
inline HostRun run_host(const TemporaryFolder& folder, const std::string& arguments,
                        const std::string& program = QARNTASH_HOST_PROGRAM, const char* data_path = nullptr) {
  const std::string out = folder.string() + "/out.txt";
  const std::string err = folder.string() + "/err.txt";
#if defined(_WIN32)
  // cmd.exe quotes with double quotes; the program's path is made whole before the folder changes.
  std::string words = arguments;
  std::replace(words.begin(), words.end(), '\'', '"');
  // Without `data_path` the variable is cleared: a practice command of another test in this
  // process may have set it, and it is not the program's.
  const std::string command = "\"set QARNTASH_DATA_PATH=" + std::string(data_path != nullptr ? data_path : "") +
                              "&& cd /d \"" + folder.string() + "\" && \"" +
                              std::filesystem::absolute(program).string() + "\" " + words + " >\"" + out +
                              "\" 2>\"" + err + "\" <NUL\"";
  return {std::system(command.c_str()), read_all(out), read_all(err)};
#else
  const std::string variable = data_path != nullptr ? "QARNTASH_DATA_PATH='" + std::string(data_path) + "' " : "";
  const std::string command = "cd '" + folder.string() + "' && " + variable + "'" + program + "' " + arguments +
                              " >'" + out + "' 2>'" + err + "' </dev/null";
  const int status = std::system(command.c_str());
  return {WEXITSTATUS(status), read_all(out), read_all(err)};
#endif
}

}  // namespace test_support
