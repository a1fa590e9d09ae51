// How the report printer lays out one line of columns as plain text.
#pragma once

#include <string>
#include <vector>

#include "platform/report_printer.h"

namespace platform::report_printer {

// One character as printed: its UTF-8 bytes and its attribute.
struct Glyph {
  std::string bytes;
  int attribute = 0;
};
using Glyphs = std::vector<Glyph>;

// Splits UTF-8 text into characters, each with the attribute. A byte that does not start a
// character is taken as one character of its own, so bad text still prints.
Glyphs to_glyphs(const std::string& text, int attribute);

// What was printed into one column of the current line.
struct Cell {
  int x = 0;               // first position of the column
  int width = 0;           // positions
  bool numeric = false;    // holds money or a date: set flush right, never broken
  Glyphs content;
};

// Breaks a text into rows of at most `width` characters at spaces; a word longer than the width
// is cut. Spaces at a break are dropped; leading spaces of the text are kept.
std::vector<Glyphs> wrap(const Glyphs& text, int width);

// The report lines of one printed line: each cell's rows at its position, as many lines as the
// tallest cell needs (one empty line when nothing was printed).
std::vector<ReportLine> render_line(const std::vector<Cell>& cells);

}  // namespace platform::report_printer
