#include "platform/report_printer.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>

#include "line_layout.h"
#include "platform/errors.h"
#include "value_format.h"

namespace {

using platform::ReportLine;
using platform::report_printer::Cell;
using platform::report_printer::Glyphs;

constexpr int kDefaultSetWidth = 80;
// The current line has no current column: the next value goes to the set's first column.
constexpr int kNoCell = -1;
// The current column is ignored or blank: what is printed into it is dropped.
constexpr int kDroppedCell = -2;

struct ColumnSet {
  std::vector<RP_COLUMN> columns;
};

struct Printer {
  std::map<std::uint16_t, ColumnSet> sets{{kRpDefaultSet, ColumnSet{{RP_COLUMN{
      0, kDefaultSetWidth, 0, 10, 0, 0, 0, kRpColumnEnabled, 0, 0, 0}}}}};
  std::uint16_t next_set = kRpDefaultSet + 1;
  std::uint16_t current_set = kRpDefaultSet;

  bool report_open = false;
  std::string report_name;
  std::vector<ReportLine> report_lines;

  bool buffering = false;
  rp_buffer_function buffer_function = nullptr;
  std::vector<ReportLine> held_lines;

  std::vector<Cell> cells;
  int current_cell = kNoCell;

  std::string output_folder;
  std::string last_report_path;
};

Printer& printer() {
  static Printer the_printer;
  return the_printer;
}

platform::ReportPrinterCapture* newest_capture = nullptr;

void log_call(const std::string& call) {
  if (newest_capture != nullptr) newest_capture->add_call(call);
}

void release_line(const ReportLine& line) {
  Printer& p = printer();
  if (p.report_open) p.report_lines.push_back(line);
  if (newest_capture != nullptr) newest_capture->add_line(line);
}

void end_line() {
  Printer& p = printer();
  for (const ReportLine& line : platform::report_printer::render_line(p.cells)) {
    if (p.buffering) {
      p.held_lines.push_back(line);
    } else {
      release_line(line);
    }
  }
  p.cells.clear();
  p.current_cell = kNoCell;
}

// The cell of `column` (whose layout starts at x), made when the line has none at that place.
int cell_for(const RP_COLUMN& column, int x) {
  Printer& p = printer();
  if (column.flags == kRpColumnIgnored || column.flags == kRpColumnBlank) return kDroppedCell;
  for (std::size_t i = 0; i < p.cells.size(); ++i) {
    if (p.cells[i].x == x && p.cells[i].width == column.width) return static_cast<int>(i);
  }
  p.cells.push_back(Cell{x, column.width, false, {}});
  return static_cast<int>(p.cells.size()) - 1;
}

// Moves to the column with `id` (or the first column that takes room, for id < 0) in the
// selected set. False when the set has no such column.
bool move_to_column(int id) {
  Printer& p = printer();
  const ColumnSet& set = p.sets[p.current_set];
  int x = 0;
  for (const RP_COLUMN& column : set.columns) {
    const bool takes_room = column.flags != kRpColumnIgnored;
    if (id < 0 ? takes_room : column.id == id) {
      p.current_cell = cell_for(column, x);
      return true;
    }
    if (takes_room) x += column.width + column.gap;
  }
  return false;
}

void go_to_column(int id) {
  if (!move_to_column(id)) {
    platform::report_line("report printer: column " + std::to_string(id) + " is not in column set " +
                          std::to_string(printer().current_set));
  }
}

// Adds a value to the current line; newlines in text end it.
void add_value(const std::string& text, int attribute, bool numeric) {
  Printer& p = printer();
  for (const auto& glyph : platform::report_printer::to_glyphs(text, attribute)) {
    if (glyph.bytes == "\n") {
      end_line();
      continue;
    }
    if (p.current_cell == kNoCell && !move_to_column(-1)) p.current_cell = kDroppedCell;
    if (p.current_cell == kDroppedCell) continue;
    Cell& cell = p.cells[static_cast<std::size_t>(p.current_cell)];
    cell.content.push_back(glyph);
    cell.numeric = cell.numeric || numeric;
  }
}

std::string in_quotes(const std::string& text) {
  std::string result = "\"";
  for (char c : text) {
    if (c == '\n') {
      result += "\\n";
    } else {
      result += c;
    }
  }
  return result + "\"";
}

// "Return Validation" -> "return-validation.txt": a file name on every system.
std::string file_name_of(const std::string& report_name) {
  std::string name;
  for (char c : report_name) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (std::isalnum(u)) {
      name += static_cast<char>(std::tolower(u));
    } else if ((c == ' ' || c == '-' || c == '_') && !name.empty() && name.back() != '-') {
      name += '-';
    }
  }
  while (!name.empty() && name.back() == '-') name.pop_back();
  return (name.empty() ? "report" : name) + ".txt";
}

bool write_report(const Printer& p, std::string& path_written) {
  path_written.clear();
  if (p.output_folder.empty()) return true;
  std::error_code error;
  std::filesystem::create_directories(p.output_folder, error);
  const std::filesystem::path path = std::filesystem::path(p.output_folder) / file_name_of(p.report_name);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  for (const ReportLine& line : p.report_lines) file << line.text << '\n';
  file.close();
  if (!file) {
    platform::report_line("report printer: cannot write the report to " + path.string());
    return false;
  }
  path_written = path.string();
  return true;
}

// Prints a format (see the directives in the header). Returns false at a directive it does not
// know, whose values it cannot take.
bool print_format(const char* format, va_list values) {
  std::string call = "print";
  std::string literal;
  int attribute = 0;
  bool attribute_given = false;
  auto flush_literal = [&]() {
    if (literal.empty()) return;
    call += " " + in_quotes(literal);
    add_value(literal, 0, false);
    literal.clear();
  };
  auto value = [&](const std::string& kind, const std::string& text, bool numeric) {
    flush_literal();
    call += attribute_given ? " a" + std::to_string(attribute) : "";
    call += kind.empty() ? "" : " " + kind;
    call += " " + in_quotes(text);
    add_value(text, attribute, numeric);
    attribute = 0;
    attribute_given = false;
  };
  bool known = true;
  if (format == nullptr) format = "";
  for (const char* c = format; *c != '\0' && known; ++c) {
    if (*c == '@') {
      flush_literal();
      const int column = va_arg(values, int);
      call += " @" + std::to_string(column);
      go_to_column(column);
      continue;
    }
    if (*c != '%') {
      literal += *c;
      continue;
    }
    // True when the directive after the '%' starts with `name` (the string ends at a terminator,
    // so the comparison never reads past the format).
    auto is = [c](const char* name) { return std::strncmp(c + 1, name, std::strlen(name)) == 0; };
    if (is("s")) {
      const char* text = va_arg(values, const char*);
      value("", text != nullptr ? text : "", false);
      c += 1;
    } else if (is("a")) {
      flush_literal();
      attribute = va_arg(values, int);
      attribute_given = true;
      c += 1;
    } else if (is("um")) {
      const mm_buffer* money = va_arg(values, const mm_buffer*);
      const char* options = va_arg(values, const char*);
      value("money", platform::report_printer::format_money(money, options), true);
      c += 2;
    } else if (is("ut")) {
      const long date = va_arg(values, long);
      const char* options = va_arg(values, const char*);
      value("date", platform::report_printer::format_date(date, options), true);
      c += 2;
    } else if (is("ld")) {
      value("", std::to_string(va_arg(values, long)), false);
      c += 2;
    } else if (is("d")) {
      value("", std::to_string(va_arg(values, int)), false);
      c += 1;
    } else if (is("c")) {
      value("", std::string(1, static_cast<char>(va_arg(values, int))), false);
      c += 1;
    } else if (is("%")) {
      literal += '%';
      c += 1;
    } else {
      known = false;
    }
  }
  flush_literal();
  if (!known) call += " (stopped at an unknown directive)";
  log_call(call);
  return known;
}

}  // namespace

extern "C" {

int rp_selectoutput(const char* report_type, sess_data*, void*, int, int, int) {
  log_call(std::string("selectoutput ") + (report_type != nullptr ? report_type : ""));
  return newest_capture != nullptr && newest_capture->output_refused() ? 0 : 1;
}

int rp_openVV(int, const void* settings) {
  Printer& p = printer();
  if (p.report_open) rp_close(1);
  std::string name = "report";
  if (settings != nullptr) {
    const char* text = static_cast<const char*>(settings) + kRpSettingsNameOffset;
    name.assign(text, strnlen(text, kRpSettingsSize - kRpSettingsNameOffset));
  }
  log_call("open " + name);
  p.report_open = true;
  p.report_name = name;
  p.report_lines.clear();
  p.cells.clear();
  p.current_cell = kNoCell;
  return 1;
}

int rp_initshow() {
  log_call("initshow");
  return 1;
}

int rp_close(int) {
  Printer& p = printer();
  log_call("close");
  if (!p.report_open) return 0;
  if (!p.cells.empty()) end_line();
  if (p.buffering) rp_bufferoff(0);
  const bool written = write_report(p, p.last_report_path);
  p.report_open = false;
  p.report_lines.clear();
  return written ? 1 : 0;
}

int rp_active() { return printer().report_open ? 1 : 0; }

std::uint16_t rp_columnset(int, const RP_COLUMN* columns, int, int, std::uint16_t) {
  if (columns == nullptr) return 0;
  static const RP_COLUMN end_record{};
  Printer& p = printer();
  ColumnSet set;
  for (int i = 0; i < kRpMaxColumns && std::memcmp(&columns[i], &end_record, sizeof end_record) != 0; ++i) {
    set.columns.push_back(columns[i]);
  }
  const std::uint16_t number = p.next_set++;
  p.sets[number] = set;
  log_call("columnset " + std::to_string(number));
  return number;
}

std::uint16_t rp_currentset() { return printer().current_set; }

void rp_selectset(std::uint16_t set) {
  log_call("selectset " + std::to_string(set));
  Printer& p = printer();
  if (p.sets.count(set) == 0) {
    platform::report_line("report printer: there is no column set " + std::to_string(set));
    return;
  }
  p.current_set = set;
}

void rp_gotocolumn(std::uint16_t column) {
  log_call("gotocolumn " + std::to_string(column));
  go_to_column(column);
}

int rp_print(const char* format, ...) {
  va_list values;
  va_start(values, format);
  const bool printed = print_format(format, values);
  va_end(values);
  return printed ? 1 : 0;
}

int rp_vprint(const char* format, va_list values) {
  va_list copy;
  va_copy(copy, values);
  const bool printed = print_format(format, copy);
  va_end(copy);
  return printed ? 1 : 0;
}

int rp_bufferon(int, rp_buffer_function function) {
  log_call("bufferon");
  Printer& p = printer();
  p.buffering = true;
  p.buffer_function = function;
  return 1;
}

int rp_bufferoff(int mode) {
  log_call(mode == 0 ? "bufferoff" : "bufferoff " + std::to_string(mode));
  Printer& p = printer();
  std::vector<ReportLine> held;
  held.swap(p.held_lines);
  p.buffering = false;
  p.buffer_function = nullptr;
  if (mode == 0) {
    for (const ReportLine& line : held) release_line(line);
  }
  return 1;
}

}  // extern "C"

void rp_set_output_folder(const std::string& folder) { printer().output_folder = folder; }

std::string rp_last_report_path() { return printer().last_report_path; }

namespace platform {

ReportPrinterCapture::ReportPrinterCapture() : previous_(newest_capture) {
  printer() = Printer{};
  newest_capture = this;
}

ReportPrinterCapture::~ReportPrinterCapture() { newest_capture = previous_; }

std::vector<std::string> ReportPrinterCapture::texts() const {
  std::vector<std::string> result;
  for (const ReportLine& line : lines_) result.push_back(line.text);
  return result;
}

}  // namespace platform
