// Printing columns: what reaches the report printer, in order, for each kind of print.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/dates.h"
#include "platform/errors.h"
#include "qarntash/reporting/column_factory.h"
#include "qarntash/reporting/printing_column.h"
#include "support/captured_report.h"
#include "support/virtual_slot.h"

namespace {

using Lines = std::vector<std::string>;

// A page of a description column (1) and two numbered columns (1001 money, 1002 date).
struct Page {
  Page() : factory(1002) {
    factory.AddDesc(1, 20, 2, 0);
    factory.AddMoney(1001, 12, 2, 0);
    factory.AddDate(1002, 8, 0, 0);
  }
  classCOLUMN_FACTORY factory;
};

// Opens up the protected lookups for the tests.
class InspectableColumn : public classRP_COLUMN {
 public:
  using classRP_COLUMN::classRP_COLUMN;
  using classRP_COLUMN::ColIDExist;
  using classRP_COLUMN::GetColID;
};

// An active printing column whose rp_active() the test switches.
class SwitchableOutput : public classRP_OUTPUT {
 public:
  SwitchableOutput(classCOLUMN_FACTORY* factory) : classRP_OUTPUT(nullptr, nullptr, nullptr, factory) {}
  bool rp_active() override { return active; }
  bool active = true;
};

TEST(PrintingColumn, PrintsTextMoneyAndDatesIntoTheirColumns) {
  test_support::CapturedReport report;
  Page page;
  classRP_COLUMN column(nullptr, nullptr, nullptr, &page.factory, 0);
  const mm_buffer benefit{4250, 0};
  const mm_buffer refund{-12.5, 0};
  EXPECT_TRUE(column.Print(1, "Car benefit"));
  EXPECT_TRUE(column.Print(1001, &benefit));
  EXPECT_TRUE(column.Print(1002, fp_builddate(5, 4, 2022)));
  EXPECT_TRUE(column.Print("\n"));
  EXPECT_TRUE(column.Print(1, "Refund", 41));
  EXPECT_TRUE(column.Print(1001, &refund, 0));
  EXPECT_TRUE(column.Print("\n"));
  EXPECT_EQ(report.output_calls(), (Lines{
                                       "bufferon",
                                       "print @1 \"Car benefit\"",
                                       "gotocolumn 1001",
                                       "print money \"£4,250.00\"",
                                       "gotocolumn 1002",
                                       "print date \"05/04/22\"",
                                       "print \"\\n\"",
                                       "bufferoff",
                                       "bufferon",
                                       "gotocolumn 1",
                                       "print a41 \"Refund\"",
                                       "gotocolumn 1001",
                                       "print a0 money \"(£12.50)\"",
                                       "print \"\\n\"",
                                       "bufferoff",
                                   }));
  EXPECT_EQ(report.close(), (Lines{
                                "Car benefit              £4,250.00  05/04/22",
                                "Refund                    (£12.50)",
                            }));
}

TEST(PrintingColumn, SelectsItsOwnSetBeforeEachPrint) {
  test_support::CapturedReport report;
  Page page;
  classRP_COLUMN column(nullptr, nullptr, nullptr, &page.factory, 0);
  column.UseDefault();
  column.Print("a");
  column.UseNormal();
  column.Print("b\n");
  EXPECT_EQ(report.calls(), (Lines{"columnset 2", "bufferon", "print \"a\"", "selectset 2", "print \"b\\n\"",
                                   "bufferoff"}));
}

TEST(PrintingColumn, RefusesMissingValues) {
  test_support::CapturedReport report;
  Page page;
  classRP_COLUMN column(nullptr, nullptr, nullptr, &page.factory, 0);
  EXPECT_FALSE(column.Print(1, static_cast<const char*>(nullptr)));
  EXPECT_FALSE(column.Print(1, ""));
  EXPECT_FALSE(column.Print(1, "", 20));
  EXPECT_FALSE(column.Print(static_cast<const char*>(nullptr)));
  EXPECT_FALSE(column.Print(static_cast<const char*>(nullptr), 20));
  EXPECT_FALSE(column.Print(1002, 0L));
  EXPECT_FALSE(column.Print(1002, 0L, 20));
  EXPECT_FALSE(column.Print(1001, static_cast<const mm_buffer*>(nullptr)));
  EXPECT_FALSE(column.Print(1001, static_cast<const mm_buffer*>(nullptr), 20, "de:0"));
  EXPECT_EQ(report.output_calls(), Lines{});
}

TEST(PrintingColumn, AnEmptyTextStillReachesThePrinter) {
  test_support::CapturedReport report;
  Page page;
  classRP_COLUMN column(nullptr, nullptr, nullptr, &page.factory, 0);
  EXPECT_TRUE(column.Print(""));
  EXPECT_EQ(report.output_calls(), (Lines{"bufferon", "print \"\""}));
}

TEST(PrintingColumn, PrintsYesOrNo) {
  test_support::CapturedReport report;
  Page page;
  classRP_COLUMN yes_no(nullptr, nullptr, nullptr, &page.factory, 0);
  yes_no.Print(1, true);
  yes_no.Print(1001, false);
  EXPECT_EQ(report.output_calls(), (Lines{"bufferon", "print @1 \"Yes\"", "print @1001 \"No\""}));
}

TEST(PrintingColumn, TextAndPercentSignsArePrintedAsTheyStand) {
  test_support::CapturedReport report;
  Page page;
  classRP_COLUMN column(nullptr, nullptr, nullptr, &page.factory, 0);
  column.Print("100% @ %s\n");
  EXPECT_EQ(report.close(), (Lines{"100% @ %s"}));
}

TEST(PrintingColumn, ANullColumnSucceedsWithoutCallingThePrinter) {
  test_support::CapturedReport report;
  classRP_COLUMN column;
  const mm_buffer money{1, 0};
  EXPECT_TRUE(column.Null());
  EXPECT_TRUE(column.Print("text\n"));
  EXPECT_TRUE(column.Print("text", 20));
  EXPECT_TRUE(column.Print(1, "text"));
  EXPECT_TRUE(column.Print(1, "text", 20));
  EXPECT_TRUE(column.Print(1, true));
  EXPECT_TRUE(column.Print(1001, &money));
  EXPECT_TRUE(column.Print(1002, 5L));
  EXPECT_FALSE(flexp(&column, "x"));
  column.BufferStart();
  column.BufferEnd();
  EXPECT_FALSE(column.Used());
  EXPECT_EQ(report.calls(), Lines{});
}

TEST(PrintingColumn, HoldsBlankLinesUntilTheNextPrint) {
  test_support::CapturedReport report;
  Page page;
  classRP_COLUMN column(nullptr, nullptr, nullptr, &page.factory, 0);
  EXPECT_FALSE(column.Blank(0));
  EXPECT_TRUE(column.Blank(2));
  EXPECT_EQ(report.output_calls(), Lines{});
  column.Print("x\n");
  EXPECT_EQ(report.output_calls(), (Lines{"bufferon", "print \"\\n\"", "bufferoff", "bufferon", "print \"\\n\"",
                                          "bufferoff", "print \"x\\n\""}));
  EXPECT_EQ(report.close(), (Lines{"", "", "x"}));
}

int g_check_result = 0;
int check() { return g_check_result; }

TEST(PrintingColumn, RaisesTheHostsFlagDuringABufferedLineAndClearsItAtTheEnd) {
  test_support::CapturedReport report;
  Page page;
  int flag = 0;
  classRP_COLUMN column(check, nullptr, &flag, &page.factory, 0);
  g_check_result = 1;
  column.Print(1, "Name");
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(classRP_COLUMN::bufferon, &column);
  g_check_result = 0;
  column.Print("\n");
  EXPECT_EQ(flag, 0);
  EXPECT_EQ(classRP_COLUMN::bufferon, nullptr);
}

TEST(PrintingColumn, OnlyTheFirstOfTwoColumnsPrintingAlternatelyHoldsTheBuffer) {
  test_support::CapturedReport report;
  Page page;
  classRP_COLUMN first(nullptr, nullptr, nullptr, &page.factory, 0);
  classRP_COLUMN second(nullptr, nullptr, nullptr, &page.factory, 0);
  first.Print(1, "a");
  second.Print(1001, "b");
  EXPECT_EQ(classRP_COLUMN::bufferon, &first);
  second.Print("\n");  // the second does not hold the buffer: its newline releases nothing
  EXPECT_EQ(classRP_COLUMN::bufferon, &first);
  EXPECT_EQ(report.texts(), Lines{});
  first.Print("c\n");
  EXPECT_EQ(classRP_COLUMN::bufferon, nullptr);
  EXPECT_EQ(report.texts(), (Lines{"a                     b", "c"}));
}

TEST(PrintingColumn, BlockBufferingHoldsSeveralLinesTogether) {
  test_support::CapturedReport report;
  Page page;
  classRP_COLUMN column(nullptr, nullptr, nullptr, &page.factory, 0);
  column.Print(1, "one");
  column.BufferStart();  // turns the line's hold into a block hold
  column.Print("\n");
  column.Print("two\n");
  EXPECT_EQ(report.texts(), Lines{});
  column.BufferEnd();
  EXPECT_EQ(report.texts(), (Lines{"one", "two"}));
  EXPECT_EQ(classRP_COLUMN::bufferon, nullptr);
}

TEST(PrintingColumn, DestroyingAColumnEndsItsBufferedLine) {
  test_support::CapturedReport report;
  Page page;
  {
    classRP_COLUMN column(nullptr, nullptr, nullptr, &page.factory, 0);
    column.Print(1, "unfinished");
  }
  EXPECT_EQ(classRP_COLUMN::bufferon, nullptr);
  EXPECT_EQ(report.texts(), (Lines{"unfinished"}));
}

TEST(PrintingColumn, DestroyingAColumnEndsItsBlockBuffer) {
  test_support::CapturedReport report;
  Page page;
  {
    classRP_COLUMN column(nullptr, nullptr, nullptr, &page.factory, 0);
    column.BufferStart();
    column.Print("held\n");
    EXPECT_EQ(report.texts(), Lines{});
  }
  EXPECT_EQ(classRP_COLUMN::bufferon, nullptr);
  EXPECT_EQ(report.texts(), (Lines{"held"}));
}

TEST(PrintingColumn, TheCloneHasASetOfItsOwnAndLivesAsLongAsItsOwner) {
  test_support::CapturedReport report;
  Page page;
  const int live = classRP_COLUMN::classRP_COLUMN_count;
  {
    classRP_COLUMN column(nullptr, nullptr, nullptr, &page.factory, 0);
    classRP_COLUMN* clone = column.Like();
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(column.Like(), clone) << "made once";
    EXPECT_EQ(classRP_COLUMN::classRP_COLUMN_count, live + 2);
    clone->Print("x\n");
    EXPECT_EQ(report.calls(), (Lines{"columnset 2", "columnset 3", "bufferon", "selectset 3", "print \"x\\n\"",
                                     "bufferoff"}));
    {
      classRP_COLUMN copy(column);
      EXPECT_EQ(classRP_COLUMN::classRP_COLUMN_count, live + 3) << "the copy shares no clone";
    }
    EXPECT_EQ(classRP_COLUMN::classRP_COLUMN_count, live + 2);
    column.DeleteLike();
    EXPECT_EQ(classRP_COLUMN::classRP_COLUMN_count, live + 1);
    column.Like();
  }
  EXPECT_EQ(classRP_COLUMN::classRP_COLUMN_count, live);
}

TEST(PrintingColumn, ANullColumnsCloneIsANullColumn) {
  classRP_COLUMN column;
  ASSERT_NE(column.Like(), nullptr);
  EXPECT_TRUE(column.Like()->Null());
}

TEST(PrintingColumn, AssignmentCopiesTheLayoutButNotTheClone) {
  test_support::CapturedReport report;
  Page page;
  classRP_COLUMN source(nullptr, nullptr, nullptr, &page.factory, 0);
  classRP_COLUMN target;
  target.Like();
  target = source;
  EXPECT_FALSE(target.Null());
  target.Print("y\n");
  EXPECT_EQ(report.texts(), (Lines{"y"}));
}

TEST(PrintingColumn, FindsColumnIdsByPositionAndReportsOneOutOfRange) {
  test_support::CapturedReport report;
  classCOLUMN_FACTORY factory(1);
  factory.AddDesc(7, 10, 0, 0);
  InspectableColumn column(nullptr, nullptr, nullptr, &factory, 0);
  platform::ReportCapture errors;
  EXPECT_EQ(column.GetColID(1), 7);
  EXPECT_TRUE(errors.lines().empty());
  EXPECT_EQ(column.GetColID(2), 0);
  EXPECT_EQ(column.GetColID(0), 0);
  ASSERT_EQ(errors.lines().size(), 2u);
  EXPECT_TRUE(errors.contains("Col index not in range"));
  EXPECT_TRUE(errors.contains("FLEXCOL"));
  EXPECT_TRUE(column.ColIDExist(7));
  EXPECT_FALSE(column.ColIDExist(8));
  InspectableColumn null_column;
  EXPECT_EQ(null_column.GetColID(1), 0);
  EXPECT_FALSE(null_column.ColIDExist(0));
}

TEST(PrintingColumn, FormatsThroughFlexp) {
  test_support::CapturedReport report;
  Page page;
  classRP_COLUMN column(nullptr, nullptr, nullptr, &page.factory, 0);
  EXPECT_TRUE(flexp(&column, "@%s %d cars\n", 1, "Pool", 2));
  EXPECT_FALSE(flexp(nullptr, "x"));
  EXPECT_EQ(classRP_COLUMN::bufferon, nullptr);
  EXPECT_TRUE(column.Used());
  EXPECT_EQ(report.close(), (Lines{"Pool 2 cars"}));
}

#if defined(QARNTASH_HAS_VIRTUAL_SLOTS)
using test_support::slot_of;

// The host programs call a printing column through its table of virtual functions, so every
// operation must sit in its own slot, the destructor after them all.
TEST(PrintingColumn, KeepsEachVirtualOperationInItsSlot) {
  using C = classRP_COLUMN;
  using Column = std::uint16_t;
  const struct {
    std::ptrdiff_t slot;
    std::ptrdiff_t expected;
    const char* operation;
  } rows[] = {
      {slot_of(&C::rp_active), 0, "rp_active()"},
      {slot_of(static_cast<bool (C::*)(Column, long, int, const char*)>(&C::Print)), 1, "date, attribute, options"},
      {slot_of(static_cast<bool (C::*)(Column, long, int)>(&C::Print)), 2, "date, attribute"},
      {slot_of(static_cast<bool (C::*)(Column, long, const char*)>(&C::Print)), 3, "date, options"},
      {slot_of(static_cast<bool (C::*)(Column, const mm_buffer*, int, const char*)>(&C::Print)), 4,
       "money, attribute, options"},
      {slot_of(static_cast<bool (C::*)(Column, const mm_buffer*, int)>(&C::Print)), 5, "money, attribute"},
      {slot_of(static_cast<bool (C::*)(Column, const mm_buffer*, const char*)>(&C::Print)), 6, "money, options"},
      {slot_of(static_cast<bool (C::*)(Column, long)>(&C::Print)), 7, "date"},
      {slot_of(static_cast<bool (C::*)(Column, const mm_buffer*)>(&C::Print)), 8, "money"},
      {slot_of(static_cast<bool (C::*)(Column, const char*, int)>(&C::Print)), 9, "column text, attribute"},
      {slot_of(static_cast<bool (C::*)(Column, const char*)>(&C::Print)), 10, "column text"},
      {slot_of(static_cast<bool (C::*)(Column, bool)>(&C::Print)), 11, "yes"},
      {slot_of(static_cast<bool (C::*)(const char*, int)>(&C::Print)), 12, "text, attribute"},
      {slot_of(static_cast<bool (C::*)(const char*)>(&C::Print)), 13, "text"},
      {slot_of(static_cast<void (C::*)(const char*, long)>(&C::ClientInfo)), 14, "ClientInfo(text, long)"},
      {slot_of(static_cast<void (C::*)(ADDRESS&)>(&C::ClientInfo)), 15, "ClientInfo(ADDRESS)"},
      {slot_of(static_cast<void (C::*)(ZORV1101_REC&)>(&C::ClientInfo)), 16, "ClientInfo(ZORV1101_REC)"},
      {slot_of(static_cast<void (C::*)(ZORV2001_REC&)>(&C::ClientInfo)), 17, "ClientInfo(ZORV2001_REC)"},
      {slot_of(static_cast<void (C::*)(ZORV2020_TLD&)>(&C::ClientInfo)), 18, "ClientInfo(ZORV2020_TLD)"},
      {slot_of(&C::DataIsReadonly), 19, "DataIsReadonly"},
      {slot_of(&C::DataIsSource), 20, "DataIsSource"},
      {slot_of(&C::SetColumnISYI), 21, "SetColumnISYI"},
      {slot_of(&C::SetSectionISYI), 22, "SetSectionISYI"},
      {slot_of(&C::SetExtraColData), 23, "SetExtraColData"},
      {slot_of(static_cast<void (C::*)(char**)>(&C::SaveXML)), 24, "SaveXML(char**)"},
      {slot_of(static_cast<void (C::*)(std::string)>(&C::SaveXML)), 25, "SaveXML(string)"},
      {slot_of(&C::SetSerialNo), 26, "SetSerialNo"},
  };
  for (const auto& row : rows) EXPECT_EQ(row.slot, row.expected) << row.operation;
}
#endif

TEST(PrintingOutput, PrintsNothingWhileInactiveYetReportsSuccess) {
  test_support::CapturedReport report;
  Page page;
  SwitchableOutput output(&page.factory);
  const mm_buffer money{5, 0};
  output.active = false;
  EXPECT_TRUE(output.Print("a\n"));
  EXPECT_TRUE(output.Print(1, "a"));
  EXPECT_TRUE(output.Print(1001, &money));
  EXPECT_TRUE(output.Print(1002, 5L, "da:be"));
  EXPECT_FALSE(output.Print(1002, 0L));
  EXPECT_TRUE(flexp(&output, "z\n")) << "the format goes, unexpanded, to the text print";
  EXPECT_EQ(report.output_calls(), Lines{});
  output.active = true;
  EXPECT_TRUE(output.Print(1001, &money));
  EXPECT_TRUE(output.Print("\n"));
  EXPECT_EQ(report.close(), (Lines{"                             £5.00"}));
}

}  // namespace
