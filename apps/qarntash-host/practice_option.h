// What the practice-record commands share: the --data option that chooses the practice folder,
// and finding a client by visible ID or by internal reference.
#pragma once

#include <memory>
#include <string>

#include <CLI/CLI.hpp>

#include "platform/config.h"
#include "platform/types.h"

namespace host {

// Adds --data DIR to `command`: the practice folder to read, in place of the configured one.
void add_data_option(CLI::App* command, const std::shared_ptr<std::string>& folder);

// Makes `folder` (when not empty) the data path of every table opened from now on and returns
// the configuration read afterwards.
TK_CONF use_practice_folder(const std::string& folder);

// A reference written as TYPE:NUMBER ("2:2004"). Throws CLI::ValidationError when it is not one.
PMCO_INT_REF parse_reference(const std::string& text);

// The reference of the client with visible ID `id`. Throws CLI::RuntimeError (status 1), after
// saying so, when the practice has no such client.
PMCO_INT_REF client_by_id(const std::string& id);

// "none" for no date, else dd/mm/yyyy.
std::string date_or_none(long date);

}  // namespace host
