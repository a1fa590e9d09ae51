// What the commands over a practice share: the --data option that chooses the practice folder,
// and finding a client by visible ID or by internal reference.
#pragma once

#include <memory>
#include <string>

#include <CLI/CLI.hpp>

#include "platform/config.h"
#include "platform/types.h"

namespace host {

// Where a command works when neither --data nor QARNTASH_DATA_PATH names a practice folder.
enum class WithoutPracticeFolder {
  host_default,   // the host's own data path (the practice-record commands)
  demo_practice,  // the folder "demo-practice" in the working folder, with the demo practice
                  // written into it on first use (the option commands, which change what they read)
};

// Adds --data DIR to `command`: the practice folder to work on, in place of the default, which
// its help names.
void add_data_option(CLI::App* command, const std::shared_ptr<std::string>& folder,
                     WithoutPracticeFolder fallback = WithoutPracticeFolder::host_default);

// Makes the practice folder chosen (`data_option` when not empty, else QARNTASH_DATA_PATH, else
// `fallback`) the data path of every table opened from now on, and returns the library's
// configuration read afterwards. With demo_practice the folder must hold the practice defaults
// table: else, or when the demo practice cannot be written, CLI::ValidationError.
TK_CONF use_practice_folder(const std::string& data_option,
                            WithoutPracticeFolder fallback = WithoutPracticeFolder::host_default);

// A reference written as TYPE:NUMBER ("2:2004"). Throws CLI::ValidationError when it is not one.
PMCO_INT_REF parse_reference(const std::string& text);

// The reference of the client with visible ID `id`. Throws CLI::RuntimeError (status 1), after
// saying so, when the practice has no such client.
PMCO_INT_REF client_by_id(const std::string& id);

// "none" for no date, else dd/mm/yyyy.
std::string date_or_none(long date);

}  // namespace host
