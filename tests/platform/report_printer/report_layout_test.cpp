// How the report printer lays lines out in columns, keeps attributes, buffers and writes reports.
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/errors.h"
#include "platform/report_printer.h"
#include "support/captured_report.h"
#include "support/temporary_folder.h"

namespace {

using Lines = std::vector<std::string>;

RP_COLUMN column(std::uint16_t id, std::uint16_t width, std::uint16_t gap, std::uint8_t flags = 0x41) {
  RP_COLUMN record{};
  record.id = id;
  record.width = width;
  record.gap = gap;
  record.option3 = 10;
  record.flags = flags;
  return record;
}

// Registers and selects a layout of the given columns.
void use_layout(std::vector<RP_COLUMN> columns) {
  columns.push_back(RP_COLUMN{});
  rp_selectset(rp_columnset(0, columns.data(), 0, 0, 0));
}

TEST(ReportLayout, PlacesEachColumnAfterTheWidthsAndGapsBeforeIt) {
  test_support::CapturedReport report;
  use_layout({column(1, 10, 2), column(2, 6, 1), column(3, 8, 0)});
  const mm_buffer money{12.5, 0};
  rp_print("@%s@%s@%um\n", 1, "Name", 2, "x", 3, &money, "de:2");
  EXPECT_EQ(report.close(), (Lines{"Name        x         12.50"}));
}

TEST(ReportLayout, BreaksALongTextAtWordsWithinItsColumn) {
  test_support::CapturedReport report;
  use_layout({column(1, 4, 1), column(2, 12, 2), column(3, 6, 0)});
  const mm_buffer money{7, 0};
  rp_print("@%s@%s@%um\n", 1, "Car", 2, "The quick brown fox jumps over a lazy dog", 3, &money, "de:0");
  EXPECT_EQ(report.close(), (Lines{
                                "Car  The quick          7",
                                "     brown fox",
                                "     jumps over a",
                                "     lazy dog",
                            }));
}

TEST(ReportLayout, CutsAWordLongerThanItsColumn) {
  test_support::CapturedReport report;
  use_layout({column(1, 5, 0)});
  rp_print("abcdefghijkl mn\n");
  EXPECT_EQ(report.close(), (Lines{"abcde", "fghij", "kl mn"}));
}

TEST(ReportLayout, KeepsTheIndentOfAWordLongerThanItsColumnAndStartsNoEmptyRow) {
  test_support::CapturedReport report;
  use_layout({column(1, 6, 0)});
  rp_print("  abcdefgh\n");
  EXPECT_EQ(report.close(), (Lines{"  abcd", "efgh"}));
}

TEST(ReportLayout, FillsAColumnTooNarrowForItsFigureRatherThanCutTheFigure) {
  test_support::CapturedReport report;
  use_layout({column(1, 4, 0)});
  const mm_buffer money{123456, 0};
  rp_print("%um\n", &money, "de:0");
  EXPECT_EQ(report.close(), (Lines{"####"}));
}

TEST(ReportLayout, GivesAnIgnoredColumnNoRoomAndABlankColumnEmptyRoom) {
  test_support::CapturedReport report;
  use_layout({column(1, 3, 1), column(2, 5, 0, kRpColumnIgnored), column(3, 3, 1, kRpColumnBlank),
              column(4, 3, 0)});
  rp_print("@%s@%s@%s@%s\n", 1, "one", 2, "two", 3, "six", 4, "end");
  EXPECT_EQ(report.close(), (Lines{"one     end"}));
}

TEST(ReportLayout, KeepsEachAttributeWithTheTextItAppliesTo) {
  test_support::CapturedReport report;
  rp_print("%a%s%s%a%s\n", 20, "Title", " plain ", 41, "head");
  report.close();
  ASSERT_EQ(report.lines().size(), 1u);
  EXPECT_EQ(report.lines()[0].text, "Title plain head");
  const std::vector<platform::AttributeSpan> spans{{0, 5, 20}, {12, 4, 41}};
  EXPECT_EQ(report.lines()[0].spans, spans);
}

TEST(ReportLayout, KeepsAnAttributeOnEveryRowOfABrokenText) {
  test_support::CapturedReport report;
  use_layout({column(1, 6, 0)});
  rp_print("%a%s\n", 41, "ab cd ef");
  report.close();
  ASSERT_EQ(report.lines().size(), 2u);
  EXPECT_EQ(report.lines()[1].text, "ef");
  EXPECT_EQ(report.lines()[1].spans, (std::vector<platform::AttributeSpan>{{0, 2, 41}}));
}

TEST(ReportLayout, RecordsEveryCallInOrder) {
  test_support::CapturedReport report;
  const mm_buffer money{-3, 0};
  rp_gotocolumn(0);
  rp_print("%a%um", 7, &money, "ne:br de:0");
  rp_print("%d items%%\n", 3);
  EXPECT_EQ(report.calls(), (Lines{"gotocolumn 0", "print a7 money \"(3)\"", "print \"3\" \" items%\\n\""}));
}

TEST(ReportLayout, StopsAtADirectiveItDoesNotKnow) {
  test_support::CapturedReport report;
  EXPECT_EQ(rp_print("ok %q %s\n", "never read"), 0);
  EXPECT_EQ(rp_print("%s\n", "next"), 1);
  EXPECT_EQ(report.close(), (Lines{"ok next"}));
}

TEST(ReportLayout, ReportsAColumnThatTheSetLacksAndStaysPut) {
  platform::ReportCapture errors;
  test_support::CapturedReport report;
  use_layout({column(1, 5, 1), column(2, 5, 0)});
  rp_print("@%s@%s\n", 2, "b", 9, "c");
  EXPECT_EQ(report.close(), (Lines{"      bc"}));
  EXPECT_TRUE(errors.contains("column 9 is not in column set 2"));
}

TEST(ReportBuffering, HoldsEndedLinesUntilTheBufferIsSwitchedOff) {
  test_support::CapturedReport report;
  rp_bufferon(-1, nullptr);
  rp_print("first\nsecond\n");
  EXPECT_TRUE(report.texts().empty());
  rp_bufferoff(0);
  EXPECT_EQ(report.texts(), (Lines{"first", "second"}));
}

TEST(ReportBuffering, DiscardsHeldLinesWhenAskedTo) {
  test_support::CapturedReport report;
  rp_bufferon(-1, nullptr);
  rp_print("dropped\n");
  rp_bufferoff(1);
  rp_print("kept\n");
  EXPECT_EQ(report.close(), (Lines{"kept"}));
}

TEST(ReportBuffering, CloseReleasesTheBufferAndEndsAnUnfinishedLine) {
  test_support::CapturedReport report;
  rp_bufferon(-1, nullptr);
  rp_print("held\nunfinished");
  EXPECT_EQ(report.close(), (Lines{"held", "unfinished"}));
}

TEST(ReportFile, IsWrittenToTheOutputFolderUnderTheReportName) {
  test_support::TemporaryFolder folder;
  {
    test_support::CapturedReport report("Return Validation");
    rp_set_output_folder((folder.path() / "reports").string());
    rp_print("one\n\ntwo £1\n");
    EXPECT_TRUE(rp_active());
    report.close();
    EXPECT_FALSE(rp_active());
  }
  const auto path = folder.path() / "reports" / "return-validation.txt";
  EXPECT_EQ(rp_last_report_path(), path.string());
  std::ifstream file(path);
  std::stringstream content;
  content << file.rdbuf();
  EXPECT_EQ(content.str(), "one\n\ntwo £1\n");
}

TEST(ReportFile, AFolderThatCannotBeMadeIsReported) {
  test_support::TemporaryFolder folder;
  std::ofstream(folder.path() / "plain-file") << "x";
  platform::ReportCapture errors;
  test_support::CapturedReport report;
  rp_set_output_folder((folder.path() / "plain-file").string());
  rp_print("line\n");
  EXPECT_EQ(rp_close(1), 0);
  EXPECT_TRUE(errors.contains("cannot write the report"));
  EXPECT_EQ(rp_last_report_path(), "");
}

TEST(ReportOutput, CanBeRefusedForATest) {
  platform::ReportPrinterCapture capture;
  EXPECT_EQ(rp_selectoutput("TT REPORT", nullptr, nullptr, 1, 0, 0), 1);
  capture.refuse_output(true);
  EXPECT_EQ(rp_selectoutput("TT REPORT", nullptr, nullptr, 1, 0, 0), 0);
}

TEST(ReportColumnSets, AreNumberedFromTwoAfterTheDefaultSet) {
  platform::ReportPrinterCapture capture;
  const RP_COLUMN layout[] = {column(1, 10, 0), RP_COLUMN{}};
  EXPECT_EQ(rp_currentset(), kRpDefaultSet);
  EXPECT_EQ(rp_columnset(0, layout, 0, 0, 0), 2);
  EXPECT_EQ(rp_columnset(0, layout, 0, 0, 0), 3);
  EXPECT_EQ(rp_columnset(0, nullptr, 0, 0, 0), 0);
  rp_selectset(3);
  EXPECT_EQ(rp_currentset(), 3);
}

}  // namespace
