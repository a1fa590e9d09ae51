#include "line_layout.h"

#include <algorithm>

namespace platform::report_printer {

namespace {

bool is_space(const Glyph& glyph) { return glyph.bytes == " "; }

// The length of the UTF-8 sequence that `lead` starts, or 1 when it starts none.
std::size_t sequence_length(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
  if (lead >= 0xC2) return 2;
  return 1;
}

// The rows of one cell, each already as wide as the cell or narrower.
std::vector<Glyphs> cell_rows(const Cell& cell) {
  if (cell.width <= 0) return {};
  if (!cell.numeric) return wrap(cell.content, cell.width);
  if (static_cast<int>(cell.content.size()) <= cell.width) {
    Glyphs row(cell.width - cell.content.size(), Glyph{" ", 0});
    row.insert(row.end(), cell.content.begin(), cell.content.end());
    return {row};
  }
  // A figure cut short would read as a different figure: show that it does not fit instead.
  const int attribute = cell.content.empty() ? 0 : cell.content.front().attribute;
  return {Glyphs(cell.width, Glyph{"#", attribute})};
}

ReportLine to_report_line(Glyphs row) {
  while (!row.empty() && is_space(row.back())) row.pop_back();
  ReportLine line;
  for (std::size_t i = 0; i < row.size(); ++i) {
    line.text += row[i].bytes;
    const int attribute = row[i].attribute;
    if (attribute == 0) continue;
    if (!line.spans.empty() && line.spans.back().attribute == attribute &&
        line.spans.back().start + line.spans.back().length == static_cast<int>(i)) {
      ++line.spans.back().length;
    } else {
      line.spans.push_back(AttributeSpan{static_cast<int>(i), 1, attribute});
    }
  }
  return line;
}

}  // namespace

Glyphs to_glyphs(const std::string& text, int attribute) {
  Glyphs glyphs;
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t length = sequence_length(static_cast<unsigned char>(text[i]));
    for (std::size_t k = 1; k < length; ++k) {
      const std::size_t at = i + k;
      if (at >= text.size() || (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80) length = 1;
    }
    glyphs.push_back(Glyph{text.substr(i, length), attribute});
    i += length;
  }
  return glyphs;
}

std::vector<Glyphs> wrap(const Glyphs& text, int width) {
  std::vector<Glyphs> rows;
  if (width <= 0) return rows;
  std::size_t start = 0;
  const std::size_t limit = static_cast<std::size_t>(width);
  while (text.size() - start > limit) {
    // The last space that lets the row end within the width (a space just past it counts). Only
    // a space after a word will do: breaking at an indent would leave an empty row and lose it.
    std::size_t space = start + limit;
    while (space > start && !is_space(text[space])) --space;
    const bool word_before =
        std::any_of(text.begin() + start, text.begin() + space, [](const Glyph& glyph) { return !is_space(glyph); });
    const std::size_t end = word_before ? space : start + limit;
    Glyphs row(text.begin() + start, text.begin() + end);
    while (!row.empty() && is_space(row.back())) row.pop_back();
    rows.push_back(row);
    start = end;
    while (start < text.size() && is_space(text[start])) ++start;
  }
  if (start < text.size() || rows.empty()) rows.emplace_back(text.begin() + start, text.end());
  return rows;
}

std::vector<ReportLine> render_line(const std::vector<Cell>& cells) {
  std::vector<std::vector<Glyphs>> rows_of_cells;
  std::size_t height = 1;
  for (const Cell& cell : cells) {
    rows_of_cells.push_back(cell_rows(cell));
    height = std::max(height, rows_of_cells.back().size());
  }
  std::vector<ReportLine> lines;
  for (std::size_t r = 0; r < height; ++r) {
    Glyphs canvas;
    for (std::size_t c = 0; c < cells.size(); ++c) {
      if (r >= rows_of_cells[c].size()) continue;
      const Glyphs& row = rows_of_cells[c][r];
      const std::size_t x = static_cast<std::size_t>(cells[c].x);
      if (canvas.size() < x + row.size()) canvas.resize(x + row.size(), Glyph{" ", 0});
      std::copy(row.begin(), row.end(), canvas.begin() + x);
    }
    lines.push_back(to_report_line(canvas));
  }
  return lines;
}

}  // namespace platform::report_printer
