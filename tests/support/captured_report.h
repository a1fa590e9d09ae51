// A report opened on the report printer for one test, with everything that reached the printer
// captured: the calls in order and the lines rendered.
//
// Usage:
//   test_support::CapturedReport report;
//   classRP_COLUMN page(nullptr, nullptr, nullptr, layout, 0);
//   page.Print("Name\n");
//   EXPECT_EQ(report.texts(), (std::vector<std::string>{"Name"}));
#pragma once

#include <string>
#include <vector>

#include "platform/report_printer.h"

namespace test_support {

class CapturedReport {
 public:
  // Starts the printer afresh and opens a report with the name.
  explicit CapturedReport(const std::string& name = "Test report");
  // Closes the report if the test left it open.
  ~CapturedReport();
  CapturedReport(const CapturedReport&) = delete;
  CapturedReport& operator=(const CapturedReport&) = delete;

  // Closes the report (ending an unfinished line) and returns its lines.
  std::vector<std::string> close();
  // The lines released to the report so far.
  std::vector<std::string> texts() const { return capture_.texts(); }
  const std::vector<platform::ReportLine>& lines() const { return capture_.lines(); }
  // Every call to the printer after the report was opened.
  std::vector<std::string> calls() const;
  // Only the calls that print, move or buffer (no set selection or registration).
  std::vector<std::string> output_calls() const;
  platform::ReportPrinterCapture& capture() { return capture_; }

 private:
  platform::ReportPrinterCapture capture_;
  std::size_t first_call_ = 0;
  bool open_ = false;
};

}  // namespace test_support
