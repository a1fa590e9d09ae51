// The rule that turns a client's visible ID into a name for the client's files.
//
// Users choose visible IDs freely ("AB/12:X", "HIGH?ST.", "CON"), but the programs name each
// client's files after the ID, so the name must be a single, harmless file name on Windows and on
// every other system the suite runs on:
//  - at most the first 10 characters of the ID are used (the clients table holds no more);
//  - "/", "\", ":", "#", "*", the double quote, ">", "<", "|" and "?" become "_", and so do control
//    characters: path separators would reach other folders, "?" and "*" are wildcards that would
//    match other clients' files, and Windows refuses all of them in a name;
//  - a name made only of dots ("." or "..", the folder itself or its parent) becomes underscores;
//  - a Windows device name (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, in any case, alone or before
//    an extension: "con.txt") gets a leading "_", since Windows opens the device, not a file;
//  - everything else stays: letters, digits, spaces, dots inside a name, characters beyond ASCII.
// An empty ID has no file name.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace practice_data_internal {

// The most characters of a visible ID that the clients table keeps (its field is 11 bytes).
constexpr std::size_t kVisibleIdLength = 10;

// The file name for `visible_id` (its first kVisibleIdLength characters, up to any NUL), or no
// name for an empty ID.
std::optional<std::string> client_file_name(std::string_view visible_id);

}  // namespace practice_data_internal
