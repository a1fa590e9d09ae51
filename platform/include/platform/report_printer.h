// File: platform/report_printer.h
//
// The report printer: lays out report lines in numbered columns and renders them as plain text.
//
// The printer keeps one current report. A host chooses the output (rp_selectoutput), opens the
// report (rp_openVV), shows it (rp_initshow), prints into it and closes it (rp_close), which writes
// the report to "<name>.txt" in the output folder that the host set with rp_set_output_folder
// (no file when no folder is set). A test holds a platform::ReportPrinterCapture to see every call
// that reached the printer and every line the printer rendered.
//
// Column sets. A column set is a layout: an array of RP_COLUMN records ended by an all-zero
// record. rp_columnset copies it and numbers it from 2 upward; set 1 is the printer's default set,
// one column (ID 0) 80 positions wide. Columns sit side by side in array order: a column starts
// where the width and gap of the columns before it end. The flags of a column decide how it is
// used: 2 (ignored) gives it no room and drops what is printed into it; 4 (blank) keeps its room
// and drops what is printed into it; any other value prints normally (the 0x40 bit, set in the
// column factory's default flags, means nothing to this printer). option3, option4, style,
// option6, shading, gapShading and option10 are kept with the set and do not change plain text.
//
// Lines. Printing goes into the current line: a text is added to the current column (the first
// column of the selected set at the start of a line, or the one named by rp_gotocolumn or "@").
// A newline in a text ends the line. The line is then laid out: a text longer than its column is
// broken at spaces onto following lines within the same column (a word longer than the column is
// cut at the column's width); money and dates are set flush right in their column, and one too
// wide for its column fills it with '#' rather than show part of a figure. Trailing spaces are
// dropped.
//
// Attributes. "%a" gives an attribute number (an int) to the one value that follows; values
// without one have attribute 0. Plain text cannot show them, so they are kept with the rendered
// lines (ReportLine::spans) for whatever presents the report. Attributes 20 (title) and 41 (entry
// heading) are what the library's reports use; the printer treats every number alike.
//
// Format directives of rp_print and rp_vprint:
//   %s   a text (const char*; null prints nothing)
//   %a   an int attribute for the value that follows
//   @    an int column ID: moves to that column of the current line
//   %um  a money value (const mm_buffer*) and its options text (const char*)
//   %ut  a date (long day number) and its options text (const char*)
//   %d   an int; %ld a long; %c a character; %% a percent sign
// Any other character is printed as it stands. Any other directive ends the print there and
// rp_vprint returns 0 (its values cannot be taken safely).
//
// Money options, space-separated "key:value" pairs (absent keys take the first value listed):
//   cs  currency sign:     no none, uk "£" before the figure
//   de  decimal places:    2 by default; 0 to 6
//   co  thousands commas:  no, ye (yes)
//   ro  rounding:          no (show the value to `de` places), ye (round to whole pounds first,
//                          then show `de` places: 1,235.00)
//       Showing to `de` places rounds halves away from zero, as ttround does (0.125 shows 0.13).
//   ze  zero:              ze "0.00", ni "nil", bl blank, da "-"
//   ne  negatives:         mi "-1.00", br "(1.00)"
// so "cs:uk de:2 co:ye ro:no ze:ni ne:br" prints £1,234.56, (£1,234.56) and nil. The empty number
// (the largest finite double, a blank field) prints nothing; a value that is not a number prints
// '#'s.
//
// Date options, likewise:
//   da  day:    be two digits ("06"), nz no leading zero ("6")
//   mo  month:  be two digits ("04"), nz no leading zero, na short name ("Apr")
//   ye  year:   2 two digits ("21"), 4 four digits ("2021")
// Day, month and year are joined by "/", or by spaces when the month is a name: "da:be mo:be
// ye:2" prints 06/04/21, "da:nz mo:na ye:4" prints 6 Apr 2021. Date 0 prints nothing.
//
// Buffering. Between rp_bufferon and rp_bufferoff the lines that end are held back; rp_bufferoff(0)
// releases them to the report, any other argument discards them. The function given to rp_bufferon
// is kept for the report; this printer has no pages to keep together, so it never calls it.
// rp_close releases a buffer that is still on and ends an unfinished line, so nothing printed is
// lost.
//
// Not thread-safe: one thread prints, as in the suite's programs.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/export.h"
#include "platform/types.h"

#pragma pack(push, 1)
// One column of a layout. A layout is an array of these ended by a record of 14 zero bytes.
struct RP_COLUMN {           // off size
  std::uint16_t id;          //  0   2   column ID; 1000 upward are numbered data columns
  std::uint16_t width;       //  2   2   print positions
  std::uint16_t gap;         //  4   2   positions after the column, before the next
  std::uint8_t option3;      //  6   1   printer setting (10 by default)
  std::uint8_t option4;      //  7   1   printer setting
  std::uint8_t style;        //  8   1   printer setting given when the column is added
  std::uint8_t option6;      //  9   1   printer setting
  std::uint8_t flags;        // 10   1   1 enabled, 2 ignored, 4 blank
  std::uint8_t shading;      // 11   1   shading of the column
  std::uint8_t gapShading;   // 12   1   shading of the gap
  std::uint8_t option10;     // 13   1   printer setting
};
#pragma pack(pop)
static_assert(sizeof(RP_COLUMN) == 14, "RP_COLUMN is 14 bytes");
static_assert(offsetof(RP_COLUMN, gap) == 4, "RP_COLUMN.gap at 4");
static_assert(offsetof(RP_COLUMN, style) == 8, "RP_COLUMN.style at 8");
static_assert(offsetof(RP_COLUMN, flags) == 10, "RP_COLUMN.flags at 10");
static_assert(offsetof(RP_COLUMN, option10) == 13, "RP_COLUMN.option10 at 13");

// Column flags.
constexpr std::uint8_t kRpColumnEnabled = 1;
constexpr std::uint8_t kRpColumnIgnored = 2;
constexpr std::uint8_t kRpColumnBlank = 4;

// The report settings block: kRpSettingsSize bytes, cleared by the caller, with the report's name
// as a terminated text at kRpSettingsNameOffset. The name also names the report's file.
constexpr std::size_t kRpSettingsSize = 1866;
constexpr std::size_t kRpSettingsNameOffset = 1167;

// The printer's default column set (see the header comment).
constexpr std::uint16_t kRpDefaultSet = 1;

// The host program's session record. The printer only passes it on.
struct sess_data;

// What rp_bufferon keeps for the report.
typedef int (*rp_buffer_function)();

extern "C" {
// Chooses where the next report goes. Returns 1 to go on, 0 when no report is to be produced
// (a test can ask for 0 through ReportPrinterCapture::refuse_output).
PLATFORM_API int rp_selectoutput(const char* report_type, sess_data* session, void* settings,
                                 int copies, int reserved1, int reserved2);
// Opens the report named in the settings block (null: "report"). A report still open is closed
// first. Returns 1.
PLATFORM_API int rp_openVV(int mode, const void* settings);
// Called once after opening. Returns 1.
PLATFORM_API int rp_initshow();
// Ends the current report: finishes an unfinished line, releases a buffer still on and writes the
// file. Returns 1; 0 when no report was open or its file could not be written (reported on the
// platform's report channel).
PLATFORM_API int rp_close(int mode);
// Non-zero while a report is open.
PLATFORM_API int rp_active();
// Registers a copy of a layout (at most kRpMaxColumns columns are read) and returns its set number
// (2 upward); 0 for a null layout.
PLATFORM_API std::uint16_t rp_columnset(int reserved1, const RP_COLUMN* columns, int reserved2,
                                        int reserved3, std::uint16_t option);
// The selected set (1, the default set, until another is selected).
PLATFORM_API std::uint16_t rp_currentset();
// Selects a set; a number that no set has is reported and changes nothing.
PLATFORM_API void rp_selectset(std::uint16_t set);
// Moves to a column of the selected set in the current line; a column that the set lacks is
// reported and the position stays where it was.
PLATFORM_API void rp_gotocolumn(std::uint16_t column);
// Prints a format and its values (directives in the header comment). Returns non-zero on success.
PLATFORM_API int rp_print(const char* format, ...);
PLATFORM_API int rp_vprint(const char* format, va_list values);
// Starts holding ended lines back. Returns 1.
PLATFORM_API int rp_bufferon(int mode, rp_buffer_function function);
// Stops holding lines back: 0 releases them to the report, any other value discards them.
PLATFORM_API int rp_bufferoff(int mode);
}

constexpr int kRpMaxColumns = 256;

// The folder that reports are written to ("" for none, the initial value). Made when needed.
PLATFORM_API void rp_set_output_folder(const std::string& folder);
// The file that the last rp_close wrote, or "" when it wrote none.
PLATFORM_API std::string rp_last_report_path();

namespace platform {

// Attribute numbers over a run of positions of a rendered line.
struct AttributeSpan {
  int start;       // first position, from 0
  int length;      // positions
  int attribute;   // the number given with "%a"
  friend bool operator==(const AttributeSpan& a, const AttributeSpan& b) {
    return a.start == b.start && a.length == b.length && a.attribute == b.attribute;
  }
};

// One rendered line: its text (UTF-8; a position is one character) and the runs of positions that
// carry a non-zero attribute.
struct ReportLine {
  std::string text;
  std::vector<AttributeSpan> spans;
};

// While alive, records every call that reaches the printer and every line it renders. Starting a
// capture starts the printer afresh: no report open, no column sets but the default, no buffer,
// no output folder (so no file is written unless the test sets one).
// Captures nest as ReportCapture does.
//
// calls() reads, one entry a call: "selectoutput TT REPORT", "open Return Validation",
// "initshow", "close", "columnset 2", "selectset 2", "gotocolumn 1001", "bufferon", "bufferoff",
// and for each print "print" followed by what it printed: "@1001" for a column move, "a20" for an
// attribute, then the value as it was rendered in quotes ("\n" shown as \n), "money" or "date"
// before a rendered money or date value:
//   print a20 "Electronic Return Validation Report ("
//   print "\n"
//   print @1001 "Yes"
//   print a0 money "£1,234.00"
class PLATFORM_API ReportPrinterCapture {
 public:
  ReportPrinterCapture();
  ~ReportPrinterCapture();
  ReportPrinterCapture(const ReportPrinterCapture&) = delete;
  ReportPrinterCapture& operator=(const ReportPrinterCapture&) = delete;

  const std::vector<std::string>& calls() const { return calls_; }
  // Every line released to a report, in order, across the reports printed while alive.
  const std::vector<ReportLine>& lines() const { return lines_; }
  // The texts of lines().
  std::vector<std::string> texts() const;
  // Makes rp_selectoutput return 0 (true) or 1 (false).
  void refuse_output(bool refuse) { refuse_output_ = refuse; }
  bool output_refused() const { return refuse_output_; }

  void add_call(const std::string& call) { calls_.push_back(call); }
  void add_line(const ReportLine& line) { lines_.push_back(line); }

 private:
  std::vector<std::string> calls_;
  std::vector<ReportLine> lines_;
  bool refuse_output_ = false;
  ReportPrinterCapture* previous_;
};

}  // namespace platform
