// The column factory: layouts for the report printer and the descriptive data beside them.
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "qarntash/reporting/column_factory.h"

namespace {

std::vector<RP_COLUMN> layout_of(classCOLUMN_FACTORY& factory) {
  std::vector<RP_COLUMN> result;
  static const RP_COLUMN end_record{};
  for (const RP_COLUMN* column = factory.GetColumn(); std::memcmp(column, &end_record, sizeof end_record) != 0;
       ++column) {
    result.push_back(*column);
  }
  return result;
}

TEST(ColumnFactory, ANewFactoryBelowTheNumberedColumnsHoldsOnlyTheEndRecord) {
  classCOLUMN_FACTORY factory(999);
  const RP_COLUMN* columns = factory.GetColumn();
  static const RP_COLUMN end_record{};
  EXPECT_EQ(std::memcmp(columns, &end_record, sizeof end_record), 0);
}

TEST(ColumnFactory, AddsColumnsWithTheirDefaults) {
  classCOLUMN_FACTORY factory(1);
  factory.SetDefaultGapShading(5);
  EXPECT_EQ(factory.AddDesc(1, 30, 2, 16), 1);
  EXPECT_EQ(factory.AddMoney(2, 12, 1, 0), 1);
  EXPECT_EQ(factory.AddDate(3, 8, 0, 0), 1);
  const auto columns = layout_of(factory);
  ASSERT_EQ(columns.size(), 3u);
  const RP_COLUMN& first = columns[0];
  EXPECT_EQ(first.id, 1);
  EXPECT_EQ(first.width, 30);
  EXPECT_EQ(first.gap, 2);
  EXPECT_EQ(first.option3, 10);
  EXPECT_EQ(first.option4, 0);
  EXPECT_EQ(first.style, 16);
  EXPECT_EQ(first.option6, 0);
  EXPECT_EQ(first.flags, 0x41);
  EXPECT_EQ(first.shading, 0);
  EXPECT_EQ(first.gapShading, 5);
  EXPECT_EQ(first.option10, 0);
  EXPECT_EQ(factory.eGetColumnType(1), 1);
  EXPECT_EQ(factory.eGetColumnType(2), 2);
  EXPECT_EQ(factory.eGetColumnType(3), 3);
  EXPECT_EQ(factory.eGetColumnActive(3), 1);
  EXPECT_EQ(factory.eGetColumnReadonly(3), 0);
}

TEST(ColumnFactory, AddsARawRecordUnchangedAndInactive) {
  classCOLUMN_FACTORY factory(1);
  RP_COLUMN raw{};
  raw.id = 7;
  raw.width = 3;
  raw.flags = 9;
  raw.option10 = 4;
  factory.AddColumn(raw);
  const auto columns = layout_of(factory);
  ASSERT_EQ(columns.size(), 1u);
  EXPECT_EQ(std::memcmp(&columns[0], &raw, sizeof raw), 0);
  EXPECT_EQ(factory.eGetColumnType(7), -1);
  EXPECT_EQ(factory.eGetColumnActive(7), 0);
}

TEST(ColumnFactory, FillsTheMissingNumberedColumnsWithIgnoredPlaceholders) {
  classCOLUMN_FACTORY factory(1003);
  factory.AddMoney(1001, 12, 0, 0);
  auto columns = layout_of(factory);
  ASSERT_EQ(columns.size(), 4u);
  const std::uint16_t ids[] = {1001, 1000, 1002, 1003};
  for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(columns[i].id, ids[i]) << i;
  for (std::size_t i = 1; i < 4; ++i) {
    EXPECT_EQ(columns[i].width, 1);
    EXPECT_EQ(columns[i].gap, 0);
    EXPECT_EQ(columns[i].option3, 10);
    EXPECT_EQ(columns[i].flags, kRpColumnIgnored);
    EXPECT_EQ(factory.eGetColumnType(columns[i].id), -1);
    EXPECT_EQ(factory.eGetColumnActive(columns[i].id), 0);
  }
  EXPECT_EQ(layout_of(factory).size(), 4u) << "a second call adds nothing";
}

TEST(ColumnFactory, ExpandsOneColumnToFillTheLine) {
  classCOLUMN_FACTORY single(1);
  single.AddDesc(1, 10, 2, 0);
  EXPECT_EQ(single.ExpandToFit(1, 80), 1);
  EXPECT_EQ(layout_of(single)[0].width, 78);

  classCOLUMN_FACTORY full(1);
  full.AddDesc(1, 70, 10, 0);
  EXPECT_EQ(full.ExpandToFit(1, 80), 0);
  EXPECT_EQ(layout_of(full)[0].width, 70);

  classCOLUMN_FACTORY missing(1);
  missing.AddDesc(1, 10, 0, 0);
  EXPECT_EQ(missing.ExpandToFit(2, 80), 0);
  EXPECT_EQ(layout_of(missing)[0].width, 10);
}

TEST(ColumnFactory, AmendsEachSettingByItsCode) {
  struct Row {
    int code;
    std::size_t offset;  // of the field in RP_COLUMN
    std::size_t size;
  };
  const Row rows[] = {{1, offsetof(RP_COLUMN, width), 2},   {2, offsetof(RP_COLUMN, gap), 2},
                      {3, offsetof(RP_COLUMN, option3), 1}, {4, offsetof(RP_COLUMN, option4), 1},
                      {5, offsetof(RP_COLUMN, style), 1},   {6, offsetof(RP_COLUMN, option6), 1},
                      {7, offsetof(RP_COLUMN, flags), 1},   {8, offsetof(RP_COLUMN, shading), 1},
                      {9, offsetof(RP_COLUMN, gapShading), 1}, {10, offsetof(RP_COLUMN, option10), 1}};
  for (const Row& row : rows) {
    classCOLUMN_FACTORY factory(1);
    factory.AddDesc(1, 0, 0, 0);
    RP_COLUMN expected = layout_of(factory)[0];
    factory.AmendColumnSetting(1, row.code, 0x12345);  // only the low bits are taken
    const std::uint16_t value16 = 0x2345;
    const std::uint8_t value8 = 0x45;
    std::memcpy(reinterpret_cast<char*>(&expected) + row.offset, row.size == 2 ? static_cast<const void*>(&value16)
                                                                              : static_cast<const void*>(&value8),
                row.size);
    const RP_COLUMN amended = layout_of(factory)[0];
    EXPECT_EQ(std::memcmp(&amended, &expected, sizeof expected), 0) << "code " << row.code;
  }
}

TEST(ColumnFactory, IgnoresAnUnknownSettingCodeOrColumn) {
  classCOLUMN_FACTORY factory(1);
  factory.AddDesc(1, 10, 2, 3);
  const RP_COLUMN before = layout_of(factory)[0];
  factory.AmendColumnSetting(1, 0, 5);
  factory.AmendColumnSetting(1, 11, 5);
  factory.AmendColumnSetting(2, 1, 5);
  factory.IgnoreColumn(2);
  const RP_COLUMN after = layout_of(factory)[0];
  EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
}

TEST(ColumnFactory, AmendsAllNumberedColumnsButNotTheOthers) {
  classCOLUMN_FACTORY factory(1001);
  factory.AddDesc(1, 40, 2, 0);
  factory.AddMoney(1000, 12, 0, 0);
  factory.AddMoney(1001, 12, 0, 0);
  factory.AmendAllColumnSettings(1, 5);
  const auto columns = layout_of(factory);
  EXPECT_EQ(columns[0].width, 40);
  EXPECT_EQ(columns[1].width, 5);
  EXPECT_EQ(columns[2].width, 5);
}

TEST(ColumnFactory, SetsTheColumnStateFlags) {
  classCOLUMN_FACTORY factory(1);
  factory.AddDesc(1, 10, 0, 0);
  factory.IgnoreColumn(1);
  EXPECT_EQ(layout_of(factory)[0].flags, 2);
  factory.BlankColumn(1);
  EXPECT_EQ(layout_of(factory)[0].flags, 4);
  factory.EnableColumn(1);
  EXPECT_EQ(layout_of(factory)[0].flags, 1);
}

TEST(ColumnFactory, DefaultsApplyOnlyToColumnsAddedLater) {
  classCOLUMN_FACTORY factory(1);
  factory.AddDesc(1, 10, 0, 0);
  factory.SetDefaultShading(3);
  factory.SetDefaultFlags(1);
  factory.AddDesc(2, 10, 0, 0);
  EXPECT_EQ(factory.GetColumnShading(1), 0);
  EXPECT_EQ(factory.GetColumnShading(2), 3);
  EXPECT_EQ(factory.GetColumnShading(9), 0);
  EXPECT_EQ(layout_of(factory)[1].flags, 1);
}

TEST(ColumnFactory, KeepsTheFirst24CharactersOfTheVersion) {
  classCOLUMN_FACTORY factory(1);
  EXPECT_STREQ(factory.eGetVersion(), "1.00");
  factory.eSetVersion("123456789012345678901234567890");
  EXPECT_STREQ(factory.eGetVersion(), "123456789012345678901234");
  factory.eSetVersion("2");
  EXPECT_STREQ(factory.eGetVersion(), "2");
}

TEST(ColumnFactory, KeepsCopiesOfTextsAndAnEmptyTextIsAbsent) {
  classCOLUMN_FACTORY factory(1);
  factory.AddDesc(1, 10, 0, 0);
  factory.AddMoney(2, 10, 0, 0);
  std::string title = "Benefit";
  factory.eSetColumnTitle(2, title.c_str());
  title = "changed";
  EXPECT_STREQ(factory.eGetColumnTitle(2), "Benefit");
  EXPECT_EQ(factory.eGetColumnTitle(1), nullptr);
  factory.eSetColumnTitle(2, "");
  EXPECT_EQ(factory.eGetColumnTitle(2), nullptr);
  factory.eSetColumnDesc(1, "d");
  factory.eSetColumnExtra(1, "e");
  factory.eResetColumnDesc(1);
  EXPECT_EQ(factory.eGetColumnDesc(1), nullptr);
  EXPECT_STREQ(factory.eGetColumnExtra(1), "e");

  factory.eSetSectionTitle("Employment");
  factory.eSetSectionDesc("");
  EXPECT_STREQ(factory.eGetSectionTitle(), "Employment");
  EXPECT_EQ(factory.eGetSectionDesc(), nullptr);
  factory.eResetSectionTitle();
  EXPECT_EQ(factory.eGetSectionTitle(), nullptr);
}

TEST(ColumnFactory, KeepsEachColumnsValuesByItsPosition) {
  classCOLUMN_FACTORY factory(1);
  factory.AddDesc(10, 10, 0, 0);
  factory.AddMoney(20, 10, 0, 0);
  factory.eSetColumnISYI(20, 1234);
  factory.eSetColumnReadonly(20, 1);
  factory.eSetColumnActive(10, 0);
  factory.eSetSectionISYI(77);
  factory.eSetSectionId(5);
  EXPECT_EQ(factory.eGetColumnISYI(20), 1234);
  EXPECT_EQ(factory.eGetColumnISYI(10), 0);
  EXPECT_EQ(factory.eGetColumnReadonly(20), 1);
  EXPECT_EQ(factory.eGetColumnActive(10), 0);
  EXPECT_EQ(factory.eGetColumnActive(20), 1);
  EXPECT_EQ(factory.eGetSectionISYI(), 77);
  EXPECT_EQ(factory.eGetSectionId(), 5);
  // An ID that no column has reads the first column.
  EXPECT_EQ(factory.eGetColumnActive(99), 0);
}

TEST(ColumnFactory, PerColumnDataOnAFactoryWithoutColumnsIsSafe) {
  classCOLUMN_FACTORY factory(1);
  factory.eSetColumnTitle(1, "x");
  factory.eSetColumnISYI(1, 3);
  EXPECT_EQ(factory.eGetColumnTitle(1), nullptr);
  EXPECT_EQ(factory.eGetColumnISYI(1), 0);
  EXPECT_EQ(factory.IsColumn(1), 0);
  EXPECT_EQ(factory.IsColumn(0), 0) << "the end record is not a column";
  EXPECT_EQ(factory.GetColumnShading(0), 0);
}

}  // namespace
