// Prints arbitrary texts, money and dates through a printing column into an arbitrary layout and
// checks that every rendered line is no wider than the layout allows.
//
// Input: byte 0 the number of columns (1 to 4); then 3 bytes a column (width, gap, flags); then
// records of one kind byte and a length byte followed by that many bytes of text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/report_printer.h"
#include "qarntash/reporting/column_factory.h"
#include "qarntash/reporting/printing_column.h"

namespace {

// Characters of a UTF-8 line, as the printer counts positions.
std::size_t characters(const std::string& text) {
  std::size_t count = 0;
  for (unsigned char c : text) count += (c & 0xC0) != 0x80 ? 1 : 0;
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  std::size_t at = 0;
  const int column_count = 1 + data[at++] % 4;
  classCOLUMN_FACTORY factory(1003);
  std::size_t line_width = 0;
  for (int i = 0; i < column_count && at + 3 <= size; ++i, at += 3) {
    const std::uint16_t width = data[at] % 60;
    const std::uint16_t gap = data[at + 1] % 5;
    factory.AddDesc(static_cast<std::uint16_t>(1000 + i), width, gap, 0);
    factory.AmendColumnSetting(static_cast<std::uint16_t>(1000 + i), 7, data[at + 2] % 8);
    line_width += width + gap;
  }
  platform::ReportPrinterCapture capture;
  std::vector<char> settings(kRpSettingsSize, '\0');
  rp_openVV(2, settings.data());
  {
    classRP_COLUMN page(nullptr, nullptr, nullptr, &factory, 0);
    while (at + 2 <= size) {
      const std::uint8_t kind = data[at];
      const std::size_t length = std::min<std::size_t>(data[at + 1], size - at - 2);
      const std::string text(reinterpret_cast<const char*>(data + at + 2), length);
      at += 2 + length;
      const std::uint16_t column = static_cast<std::uint16_t>(1000 + kind % 4);
      double value = 0;
      std::memcpy(&value, text.data(), std::min(sizeof value, text.size()));
      std::uint32_t day = 0;
      std::memcpy(&day, text.data(), std::min(sizeof day, text.size()));
      const mm_buffer money{value, 0};
      switch (kind % 5) {
        case 0: page.Print(column, text.c_str()); break;
        case 1: page.Print(text.c_str()); break;
        case 2: page.Print(column, &money, text.c_str()); break;
        case 3: page.Print(column, static_cast<long>(day % 4000000), text.c_str()); break;
        default: page.Blank(kind % 3); break;
      }
    }
  }
  rp_close(1);
  // A line may only pass the layout's width where the default 80-column set was used.
  const std::size_t widest = line_width > 80 ? line_width : 80;
  for (const platform::ReportLine& line : capture.lines()) {
    if (characters(line.text) > widest) std::abort();
  }
  return 0;
}
