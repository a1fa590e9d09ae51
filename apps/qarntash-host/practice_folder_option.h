// The practice folder a host command works on: --data DIR, else QARNTASH_DATA_PATH, else the
// main job's own demo practice (the folder "demo-practice" in the working folder, written on
// first use).
#pragma once

#include <memory>
#include <string>

#include <CLI/CLI.hpp>

namespace host {

// Adds --data to `command`; the string it fills is empty when the option is not given.
std::shared_ptr<std::string> add_practice_folder_option(CLI::App* command);

// Makes the chosen practice folder the data path that the library opens tables on, writing the
// demo practice first when the default folder holds none. Returns the folder. Throws
// CLI::ValidationError for a folder without the practice defaults table.
std::string use_practice_folder_or_demo(const std::string& data_option);

}  // namespace host
