// File: qarntash/reporting/printing_column.h
//
// Printing columns: how the host programs print report lines into a column layout.
//
// A classRP_COLUMN stands between its caller and the report printer (platform/report_printer.h).
// It registers a layout (an RP_COLUMN array, usually from a classCOLUMN_FACTORY) as a column set,
// selects that set before each print, moves to the requested column and passes text, money and
// dates with the printer's directives and options:
//   money  "cs:uk de:2 co:ye ro:no ze:ni ne:br"   £1,234.56, (£1,234.56) for negatives, nil for 0
//   dates  "da:be mo:be ye:2"                     06/04/21
//
// Line buffering: the first print of a line switches the printer's buffer on and a text ending
// in a newline switches it off, so a line reaches the report whole. Only one object holds the
// buffer at a time (bufferon); others print through it meanwhile. BufferStart/BufferEnd hold
// several lines together. While a line is buffered, the host's check function is called before
// each print, and a result of 1 sets the host's line flag (cleared when the line ends).
//
// Blank lines asked for with Blank(n) are held back and printed before the next print, so that a
// page never ends in blank lines that nothing follows.
//
// A null column (no layout: the default constructor, or a null array) prints nothing and reports
// success, so that a host can hand one to code that prints unconditionally.
//
// Failures: a null text, a null money value or a zero date is refused with false and nothing is
// printed; the column-addressed text prints also refuse an empty text.
//
// Usage:
//   classCOLUMN_FACTORY factory(1001);
//   factory.AddDesc(1, 60, 2, 0);
//   factory.AddMoney(1001, 18, 0, 0);
//   classRP_COLUMN page(nullptr, nullptr, nullptr, &factory, 0);
//   mm_buffer benefit{4250.0, 0};
//   page.Print(1, "Car benefit");
//   page.Print(1001, &benefit);                  // "£4,250.00" flush right in column 1001
//   page.Print("\n");
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/report_printer.h"
#include "platform/types.h"
#include "qarntash/export.h"
#include "qarntash/practice_data/address.h"

class classCOLUMN_FACTORY;

// Records of the practice's data that derived printing columns of the host programs take.
struct ZORV1101_REC;
struct ZORV2001_REC;
struct ZORV2020_TLD;

// The options that the shorter money and date prints use.
QARNTASH_API extern const char* const kRpMoneyOptions;  // "cs:uk de:2 co:ye ro:no ze:ni ne:br"
QARNTASH_API extern const char* const kRpDateOptions;   // "da:be mo:be ye:2"

typedef int (*rp_check_function)();

class QARNTASH_API classRP_COLUMN {
 public:
  // Registers the layout as a new column set (when not null) and keeps the functions and flag.
  classRP_COLUMN(rp_check_function checkFn, rp_buffer_function bufferFn, int* lineFlag,
                 RP_COLUMN* columns, std::uint16_t setOption);
  // The same over the factory's GetColumn(); the factory is kept.
  classRP_COLUMN(rp_check_function checkFn, rp_buffer_function bufferFn, int* lineFlag,
                 classCOLUMN_FACTORY* factory, std::uint16_t setOption);
  // Keeps the factory and its layout but registers nothing (set 0) and keeps no functions.
  explicit classRP_COLUMN(classCOLUMN_FACTORY* factory);
  // A null column.
  classRP_COLUMN();
  // Copies share the layout, set and functions but not the clone, and hold no buffer.
  classRP_COLUMN(const classRP_COLUMN& other);
  classRP_COLUMN& operator=(const classRP_COLUMN& other);

  // Slot 0: whether the prints that test it reach the printer. Always true here.
  virtual bool rp_active();
  // Slots 1-3: a date (day number) in a column; false for date 0.
  virtual bool Print(std::uint16_t column, long date, int attribute, const char* options);
  virtual bool Print(std::uint16_t column, long date, int attribute);
  virtual bool Print(std::uint16_t column, long date, const char* options);
  // Slots 4-6: money in a column; false for a null value.
  virtual bool Print(std::uint16_t column, const mm_buffer* money, int attribute, const char* options);
  virtual bool Print(std::uint16_t column, const mm_buffer* money, int attribute);
  virtual bool Print(std::uint16_t column, const mm_buffer* money, const char* options);
  // Slots 7-8: with the standard options.
  virtual bool Print(std::uint16_t column, long date);
  virtual bool Print(std::uint16_t column, const mm_buffer* money);
  // Slots 9-11: a text in a column; false for a null or empty text. `yes` prints "Yes" or "No".
  virtual bool Print(std::uint16_t column, const char* text, int attribute);
  virtual bool Print(std::uint16_t column, const char* text);
  virtual bool Print(std::uint16_t column, bool yes);
  // Slots 12-13: a text at the current position; false for a null text. A newline ends the line.
  virtual bool Print(const char* text, int attribute);
  virtual bool Print(const char* text);
  // Slots 14-26: nothing here; the host programs' derived columns give them effect.
  virtual void ClientInfo(const char* text, long value);
  virtual void ClientInfo(ADDRESS& address);
  virtual void ClientInfo(ZORV1101_REC& record);
  virtual void ClientInfo(ZORV2001_REC& record);
  virtual void ClientInfo(ZORV2020_TLD& record);
  virtual void DataIsReadonly(bool readonly);
  virtual void DataIsSource(bool source);
  virtual void SetColumnISYI(std::uint16_t column, long isyi);
  virtual void SetSectionISYI(long isyi);
  virtual void SetExtraColData(std::uint16_t column, const char* text);
  virtual void SaveXML(char** xml);
  virtual void SaveXML(std::string xml);
  virtual void SetSerialNo(long serialNo);
  // Ends a buffered line with "\n", ends block buffering, destroys the clone. Declared after the
  // slots above: the host programs call them by their place in the table of virtual functions,
  // and a destructor declared first would take slot 0 and move every one of them down.
  virtual ~classRP_COLUMN();

  void PrePrint();
  void PostPrint(const char* text);
  void BufferStart();
  void BufferEnd();
  void UseDefault() { currentSet = kRpDefaultSet; }
  void UseNormal() { currentSet = normalSet; }
  bool Used() const { return used != 0; }
  bool Null() const { return columns == nullptr; }
  // Holds n blank lines back until the next print; false, holding nothing, for n of 0 or less.
  bool Blank(int n);
  void FlushBlankLines();
  // A second printing column over the same layout with a set of its own, made on first call and
  // owned by this one (null when this one has a layout but is not active).
  classRP_COLUMN* Like();
  void DeleteLike();

  // The object that holds the printer's buffer, or null.
  static classRP_COLUMN* bufferon;
  // Live printing columns.
  static int classRP_COLUMN_count;

 protected:
  bool ColIDExist(std::uint16_t id);
  // The ID at a 1-based position of the layout; out of range is reported ("Col index not in
  // range") and gives 0.
  std::uint16_t GetColID(int position);

  // The prints, with whether they test rp_active() first (classRP_OUTPUT tests it in all).
  bool PrintDate(std::uint16_t column, long date, const int* attribute, const char* options, bool testActive);
  bool PrintMoney(std::uint16_t column, const mm_buffer* money, const int* attribute, const char* options,
                  bool testActive);
  bool PrintColumnText(std::uint16_t column, const char* text, const int* attribute, bool testActive);
  bool PrintText(const char* text, const int* attribute, bool testActive);

 private:
  // True when a print may go on to the printer.
  bool Reaches(bool testActive);
  void CopyFrom(const classRP_COLUMN& other);

  int lineBuffering = 0;
  int blockBuffering = 0;
  std::uint16_t currentSet = 0;
  std::unique_ptr<classRP_COLUMN> like;  // the clone made by Like()
  rp_check_function checkFn = nullptr;
  rp_buffer_function bufferFn = nullptr;
  int used = 0;
  int pendingBlankLines = 0;
  int* lineFlag = nullptr;
  classCOLUMN_FACTORY* factory = nullptr;
  RP_COLUMN* columns = nullptr;
  std::uint16_t normalSet = 0;
};

// A formatted print (the printer's directives) on a printing column. False when the column is
// null or has no layout; otherwise true when the printer took the format.
QARNTASH_API bool flexp(classRP_COLUMN* column, const char* format, ...);

// A printing column whose every print goes to the printer only while rp_active() is true.
class QARNTASH_API classRP_OUTPUT : public classRP_COLUMN {
 public:
  classRP_OUTPUT(rp_check_function checkFn, rp_buffer_function bufferFn, int* lineFlag, RP_COLUMN* columns);
  // The factory's layout; the factory itself is not kept.
  classRP_OUTPUT(rp_check_function checkFn, rp_buffer_function bufferFn, int* lineFlag,
                 classCOLUMN_FACTORY* factory);
  classRP_OUTPUT(const classRP_OUTPUT& other) = default;
  classRP_OUTPUT& operator=(const classRP_OUTPUT& other) = default;
  ~classRP_OUTPUT() override = default;

  bool Print(std::uint16_t column, long date, int attribute, const char* options) override;
  bool Print(std::uint16_t column, long date, int attribute) override;
  bool Print(std::uint16_t column, long date, const char* options) override;
  bool Print(std::uint16_t column, long date) override;
  bool Print(std::uint16_t column, const mm_buffer* money, int attribute, const char* options) override;
  bool Print(std::uint16_t column, const mm_buffer* money, int attribute) override;
  bool Print(std::uint16_t column, const mm_buffer* money, const char* options) override;
  bool Print(std::uint16_t column, const mm_buffer* money) override;
  bool Print(std::uint16_t column, const char* text, int attribute) override;
  bool Print(std::uint16_t column, const char* text) override;
  bool Print(const char* text, int attribute) override;
  bool Print(const char* text) override;
  using classRP_COLUMN::Print;  // Print(column, yes)
};
