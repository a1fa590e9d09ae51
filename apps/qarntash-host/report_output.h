// Where the host program's reports go: a folder of text files, each also shown on the terminal.
#pragma once

#include <string>

namespace host {

// The output folder when none is given.
inline const char* const kDefaultReportFolder = "./reports";

// Sends the reports that follow to `folder`.
void use_report_folder(const std::string& folder);

// Shows the report that the last rp_close wrote and says where it is. False (with a message on
// standard error) when no report was written.
bool show_last_report();

}  // namespace host
