// The electronic return validation report, line by line.
#include <list>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/report_printer.h"
#include "qarntash/reporting/printing_column.h"
#include "qarntash/reporting/validation_report.h"

namespace {

using Lines = std::vector<std::string>;

const char* const kPreamble1 = "This Return will be rejected online by HMRC due to the following entries,";
const char* const kPreamble2 = "please amend and regenerate the Return before submitting:";

Lines report_lines(std::list<ReturnValidationMessage>* messages, const std::string& name) {
  platform::ReportPrinterCapture capture;
  DoXmlValidationReport(messages, name, nullptr);
  return capture.texts();
}

TEST(ValidationReport, AnEmptyListPrintsTheTitleAndPreambleOnly) {
  std::list<ReturnValidationMessage> messages;
  EXPECT_EQ(report_lines(&messages, "My Return"),
            (Lines{"Electronic Return Validation Report (MyReturn)", "", kPreamble1, kPreamble2, ""}));
  EXPECT_EQ(report_lines(nullptr, "My Return").size(), 5u);
}

TEST(ValidationReport, PrintsEachMessageInOrderFollowedByAnEmptyLine) {
  std::list<ReturnValidationMessage> messages{
      {"The employer's PAYE reference must be given.", "Employment 1, box 4"},
      {"", "Empty text"},
      {"No heading above this.", ""},
  };
  EXPECT_EQ(report_lines(&messages, "Smith 2022"), (Lines{
                                                       "Electronic Return Validation Report (Smith2022)",
                                                       "",
                                                       kPreamble1,
                                                       kPreamble2,
                                                       "",
                                                       "Employment 1, box 4",
                                                       "The employer's PAYE reference must be given.",
                                                       "",
                                                       "Empty text",
                                                       "",
                                                       "",
                                                       "",
                                                       "No heading above this.",
                                                       "",
                                                   }));
}

TEST(ValidationReport, BreaksALongMessageAtWordsWithinThePage) {
  std::list<ReturnValidationMessage> messages{{std::string(70, 'a') + " " + std::string(20, 'b'), "Long"}};
  const Lines lines = report_lines(&messages, "R");
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(lines[6], std::string(70, 'a'));
  EXPECT_EQ(lines[7], std::string(20, 'b'));
}

TEST(ValidationReport, RemovesOnlySpaceCharactersFromTheName) {
  EXPECT_EQ(report_lines(nullptr, "   ")[0], "Electronic Return Validation Report ()");
  EXPECT_EQ(report_lines(nullptr, " A\tB C ")[0], "Electronic Return Validation Report (A\tBC)");
}

TEST(ValidationReport, MarksTheTitleAndHeadings) {
  std::list<ReturnValidationMessage> messages{{"text", "Heading"}};
  platform::ReportPrinterCapture capture;
  DoXmlValidationReport(&messages, "R", nullptr);
  const auto& lines = capture.lines();
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[0].spans, (std::vector<platform::AttributeSpan>{{0, 39, 20}}));
  EXPECT_EQ(lines[5].spans, (std::vector<platform::AttributeSpan>{{0, 7, 41}}));
  EXPECT_TRUE(lines[6].spans.empty());
}

TEST(ValidationReport, OpensFillsAndClosesAReportOfItsOwn) {
  platform::ReportPrinterCapture capture;
  const int live = classRP_COLUMN::classRP_COLUMN_count;
  DoXmlValidationReport(nullptr, "R", nullptr);
  const auto& calls = capture.calls();
  ASSERT_GE(calls.size(), 5u);
  EXPECT_EQ(calls[0], "selectoutput TT REPORT");
  EXPECT_EQ(calls[1], "open Return Validation");
  EXPECT_EQ(calls[2], "initshow");
  EXPECT_EQ(calls[3], "columnset 2");
  EXPECT_EQ(calls.back(), "close");
  EXPECT_FALSE(rp_active());
  EXPECT_EQ(classRP_COLUMN::classRP_COLUMN_count, live);
  EXPECT_EQ(classRP_COLUMN::bufferon, nullptr);
}

TEST(ValidationReport, PrintsNothingWhenNoOutputIsChosen) {
  platform::ReportPrinterCapture capture;
  capture.refuse_output(true);
  DoXmlValidationReport(nullptr, "R", nullptr);
  EXPECT_EQ(capture.calls(), (Lines{"selectoutput TT REPORT"}));
  EXPECT_TRUE(capture.lines().empty());
}

}  // namespace
