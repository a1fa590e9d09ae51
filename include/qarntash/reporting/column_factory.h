// File: qarntash/reporting/column_factory.h
//
// The column factory: builds the column layout of a report page for the report printer.
//
// A layout is an array of RP_COLUMN records (platform/report_printer.h) ended by a record of 14
// zero bytes. The caller adds description, money and date columns (or ready-made records), amends
// their settings, widens one column so that the line fills a width, and hands GetColumn() to a
// printing column (qarntash/reporting/printing_column.h).
//
// Column IDs from 1000 up to the last column ID given to the constructor are the numbered data
// columns: GetColumn() adds an ignored placeholder (width 1) for each of them that was not added,
// so that printing into any of them is safe.
//
// Beside the layout the factory keeps descriptive data for the host programs (titles,
// descriptions, extra texts, a type, an ISYI number, active and read-only marks) through its
// e... accessors; the printer never sees it. The per-column values belong to the first column
// with the ID given. Texts are copies owned by the factory; setting an empty text leaves it
// absent, and an absent text reads as null.
//
// Failures: none are reported. An ID that no column has changes nothing; a per-column getter
// then reads the first column (or 0 / null on a factory without columns).
//
// The array that GetColumn() returns moves when a column is added: re-read it after adding.
//
// Usage:
//   classCOLUMN_FACTORY factory(1001);
//   factory.AddDesc(1, 40, 2, 0);
//   factory.AddMoney(1001, 12, 0, 0);
//   factory.ExpandToFit(1, 80);                 // column 1 becomes 66 wide (66 + 2 + 12 = 80)
//   classRP_COLUMN page(nullptr, nullptr, nullptr, &factory, 0);
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/report_printer.h"
#include "qarntash/export.h"

class QARNTASH_API classCOLUMN_FACTORY {
 public:
  // Column types of eGetColumnType.
  static constexpr long kDescriptionColumn = 1;
  static constexpr long kMoneyColumn = 2;
  static constexpr long kDateColumn = 3;
  static constexpr long kRawColumn = -1;

  explicit classCOLUMN_FACTORY(std::uint16_t lastColumnID);
  classCOLUMN_FACTORY(const classCOLUMN_FACTORY&) = delete;
  classCOLUMN_FACTORY& operator=(const classCOLUMN_FACTORY&) = delete;

  // Append a column with option3 10, the default flags and shadings, every other setting 0;
  // type 1, 2 or 3, active. No check for an ID already present. Return 1.
  int AddDesc(std::uint16_t id, std::uint16_t width, std::uint16_t gap, std::uint8_t style);
  int AddMoney(std::uint16_t id, std::uint16_t width, std::uint16_t gap, std::uint8_t style);
  int AddDate(std::uint16_t id, std::uint16_t width, std::uint16_t gap, std::uint8_t style);
  // Appends the record unchanged: type -1, not active. Returns 1.
  int AddColumn(RP_COLUMN column);

  // 1 when a column has the ID, else 0.
  int IsColumn(std::uint16_t id) const;

  // Values copied into columns added later (initially shading 0, gap shading 0, flags 0x41).
  void SetDefaultShading(std::uint8_t shading);
  void SetDefaultGapShading(std::uint8_t shading);
  void SetDefaultFlags(std::uint8_t flags);

  // Set the first matching column's flags to 2, 4 or 1.
  void IgnoreColumn(std::uint16_t id);
  void BlankColumn(std::uint16_t id);
  void EnableColumn(std::uint16_t id);

  // Changes one setting of the first matching column: code 1 width, 2 gap (low 16 bits of the
  // value); 3 option3, 4 option4, 5 style, 6 option6, 7 flags, 8 shading, 9 gap shading,
  // 10 option10 (low 8 bits). Other codes change nothing.
  void AmendColumnSetting(std::uint16_t id, int code, std::intptr_t value);
  // The same for every column with an ID of 1000 or more, in order.
  void AmendAllColumnSettings(int code, std::intptr_t value);

  // Widens the first column with the ID by what the line (every width plus gap, added in 16-bit
  // arithmetic) lacks of `totalWidth`. 1 when widened; 0 when the line already fills it or no
  // column has the ID.
  int ExpandToFit(std::uint16_t id, std::uint16_t totalWidth);

  // The column's shading; 0 when no column has the ID.
  std::uint8_t GetColumnShading(std::uint16_t id) const;

  // Adds the missing numbered columns (see the header comment) and returns the layout.
  RP_COLUMN* GetColumn();

  // Descriptive data of the layout.
  void eSetVersion(const char* text);  // keeps the first 24 characters
  const char* eGetVersion() const;
  void eSetSectionId(long id);
  long eGetSectionId() const;
  void eSetSectionISYI(long isyi);
  long eGetSectionISYI() const;
  void eSetSectionTitle(const char* text);
  void eSetSectionDesc(const char* text);
  void eSetSectionExtra(const char* text);
  void eResetSectionTitle();
  void eResetSectionDesc();
  void eResetSectionExtra();
  const char* eGetSectionTitle() const;
  const char* eGetSectionDesc() const;
  const char* eGetSectionExtra() const;

  // Descriptive data of a column, by ID.
  void eSetColumnType(std::uint16_t id, long type);
  long eGetColumnType(std::uint16_t id) const;
  void eSetColumnISYI(std::uint16_t id, long isyi);
  long eGetColumnISYI(std::uint16_t id) const;
  void eSetColumnActive(std::uint16_t id, int active);
  int eGetColumnActive(std::uint16_t id) const;
  void eSetColumnReadonly(std::uint16_t id, int readonly);
  int eGetColumnReadonly(std::uint16_t id) const;
  void eSetColumnTitle(std::uint16_t id, const char* text);
  void eSetColumnDesc(std::uint16_t id, const char* text);
  void eSetColumnExtra(std::uint16_t id, const char* text);
  void eResetColumnTitle(std::uint16_t id);
  void eResetColumnDesc(std::uint16_t id);
  void eResetColumnExtra(std::uint16_t id);
  const char* eGetColumnTitle(std::uint16_t id) const;
  const char* eGetColumnDesc(std::uint16_t id) const;
  const char* eGetColumnExtra(std::uint16_t id) const;

 protected:
  // Position of the first column with the ID; 0 when there is none.
  int GetIndex(std::uint16_t id) const;
  // Gives every per-column store a slot for the column at `position`.
  void eIncreaseColumns(int position);

 private:
  // The descriptive data of one column.
  struct ColumnData {
    long type = 0;
    long isyi = 0;
    int active = 0;
    int readonly = 0;
    std::string title;  // empty: absent
    std::string desc;
    std::string extra;
  };

  int AddTyped(std::uint16_t id, std::uint16_t width, std::uint16_t gap, std::uint8_t style, long type);
  void Append(const RP_COLUMN& column, long type, int active);
  RP_COLUMN* Find(std::uint16_t id);
  const RP_COLUMN* Find(std::uint16_t id) const;
  // The data of the first column with the ID (of position 0 when none has it); null without columns.
  ColumnData* DataOf(std::uint16_t id);
  const ColumnData* DataOf(std::uint16_t id) const;

  int count = 0;
  std::uint8_t defaultShading = 0;
  std::uint8_t defaultGapShading = 0;
  std::uint8_t defaultFlags = 0x41;
  std::uint16_t lastColumnID;
  std::vector<RP_COLUMN> columns;  // count records and the all-zero end record
  std::string version = "1.00";
  long sectionId = 0;
  std::string sectionTitle;  // empty: absent
  std::string sectionDesc;
  std::string sectionExtra;
  long sectionISYI = 0;
  std::vector<ColumnData> columnData;  // by position in `columns`
};
