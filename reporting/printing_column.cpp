#include "qarntash/reporting/printing_column.h"

#include <cstdarg>
#include <cstring>

#include "platform/errors.h"
#include "qarntash/reporting/column_factory.h"

const char* const kRpMoneyOptions = "cs:uk de:2 co:ye ro:no ze:ni ne:br";
const char* const kRpDateOptions = "da:be mo:be ye:2";

classRP_COLUMN* classRP_COLUMN::bufferon = nullptr;
int classRP_COLUMN::classRP_COLUMN_count = 0;

namespace {

bool is_end_record(const RP_COLUMN& column) {
  static const RP_COLUMN end_record{};
  return std::memcmp(&column, &end_record, sizeof column) == 0;
}

bool ends_in_newline(const char* text) {
  if (text == nullptr) return false;
  const std::size_t length = std::strlen(text);
  return length > 0 && text[length - 1] == '\n';
}

RP_COLUMN* layout_of(classCOLUMN_FACTORY* factory) {
  return factory != nullptr ? factory->GetColumn() : nullptr;
}

// A money value or a date in a column, with or without an attribute. Values give PostPrint no
// text: a line never ends on one.
template <typename Value>
void print_value(classRP_COLUMN& printing, std::uint16_t column, Value value, const int* attribute,
                 const char* options, const char* with_attribute, const char* without_attribute) {
  const char* shown_as = options != nullptr ? options : "";
  printing.PrePrint();
  ::rp_gotocolumn(column);
  if (attribute != nullptr) {
    ::rp_print(with_attribute, *attribute, value, shown_as);
  } else {
    ::rp_print(without_attribute, value, shown_as);
  }
  printing.PostPrint(nullptr);
}

}  // namespace

classRP_COLUMN::classRP_COLUMN(rp_check_function checkFn, rp_buffer_function bufferFn, int* lineFlag,
                               RP_COLUMN* columns, std::uint16_t setOption)
    : lineFlag(lineFlag), columns(columns) {
  ++classRP_COLUMN_count;
  if (columns == nullptr) return;
  normalSet = ::rp_columnset(0, columns, 0, 0, setOption);
  currentSet = normalSet;
  this->checkFn = checkFn;
  this->bufferFn = bufferFn;
}

classRP_COLUMN::classRP_COLUMN(rp_check_function checkFn, rp_buffer_function bufferFn, int* lineFlag,
                               classCOLUMN_FACTORY* factory, std::uint16_t setOption)
    : classRP_COLUMN(checkFn, bufferFn, lineFlag, layout_of(factory), setOption) {
  this->factory = factory;
}

classRP_COLUMN::classRP_COLUMN(classCOLUMN_FACTORY* factory) : factory(factory), columns(layout_of(factory)) {
  ++classRP_COLUMN_count;
}

classRP_COLUMN::classRP_COLUMN() { ++classRP_COLUMN_count; }

classRP_COLUMN::classRP_COLUMN(const classRP_COLUMN& other) {
  ++classRP_COLUMN_count;
  CopyFrom(other);
}

classRP_COLUMN& classRP_COLUMN::operator=(const classRP_COLUMN& other) {
  if (this != &other) {
    like.reset();  // made over the old layout
    CopyFrom(other);
  }
  return *this;
}

// Everything but the clone and the buffering state: only the object that switched the printer's
// buffer on may switch it off, so a copy never inherits a hold on it.
void classRP_COLUMN::CopyFrom(const classRP_COLUMN& other) {
  currentSet = other.currentSet;
  checkFn = other.checkFn;
  bufferFn = other.bufferFn;
  used = other.used;
  pendingBlankLines = other.pendingBlankLines;
  lineFlag = other.lineFlag;
  factory = other.factory;
  columns = other.columns;
  normalSet = other.normalSet;
}

classRP_COLUMN::~classRP_COLUMN() {
  if (lineBuffering != 0) classRP_COLUMN::Print("\n");
  if (blockBuffering != 0) BufferEnd();
  like.reset();
  checkFn = nullptr;
  // Never leave the holder naming an object that no longer exists.
  if (bufferon == this) bufferon = nullptr;
  --classRP_COLUMN_count;
}

bool classRP_COLUMN::rp_active() { return true; }

bool classRP_COLUMN::Reaches(bool testActive) { return columns != nullptr && (!testActive || rp_active()); }

bool classRP_COLUMN::PrintDate(std::uint16_t column, long date, const int* attribute, const char* options,
                               bool testActive) {
  if (date == 0) return false;
  if (Reaches(testActive)) print_value(*this, column, date, attribute, options, "%a%ut", "%ut");
  return true;
}

bool classRP_COLUMN::PrintMoney(std::uint16_t column, const mm_buffer* money, const int* attribute,
                                const char* options, bool testActive) {
  if (money == nullptr) return false;
  if (Reaches(testActive)) print_value(*this, column, money, attribute, options, "%a%um", "%um");
  return true;
}

bool classRP_COLUMN::PrintColumnText(std::uint16_t column, const char* text, const int* attribute,
                                     bool testActive) {
  if (text == nullptr || *text == '\0') return false;
  if (!Reaches(testActive)) return true;
  PrePrint();
  if (attribute != nullptr) {
    ::rp_gotocolumn(column);
    ::rp_print("%a%s", *attribute, text);
  } else {
    ::rp_print("@%s", static_cast<int>(column), text);
  }
  PostPrint(text);
  return true;
}

bool classRP_COLUMN::PrintText(const char* text, const int* attribute, bool testActive) {
  if (text == nullptr) return false;
  if (!Reaches(testActive)) return true;
  PrePrint();
  if (attribute != nullptr) {
    ::rp_print("%a%s", *attribute, text);
  } else {
    // The text goes through "%s" rather than being the format itself: a '%' or '@' in it would
    // otherwise make the printer read values that were never passed.
    ::rp_print("%s", text);
  }
  PostPrint(text);
  return true;
}

bool classRP_COLUMN::Print(std::uint16_t column, long date, int attribute, const char* options) {
  return PrintDate(column, date, &attribute, options, true);
}
bool classRP_COLUMN::Print(std::uint16_t column, long date, int attribute) {
  return PrintDate(column, date, &attribute, kRpDateOptions, true);
}
bool classRP_COLUMN::Print(std::uint16_t column, long date, const char* options) {
  return PrintDate(column, date, nullptr, options, false);
}
bool classRP_COLUMN::Print(std::uint16_t column, const mm_buffer* money, int attribute, const char* options) {
  return PrintMoney(column, money, &attribute, options, true);
}
bool classRP_COLUMN::Print(std::uint16_t column, const mm_buffer* money, int attribute) {
  return PrintMoney(column, money, &attribute, kRpMoneyOptions, true);
}
bool classRP_COLUMN::Print(std::uint16_t column, const mm_buffer* money, const char* options) {
  return PrintMoney(column, money, nullptr, options, false);
}
bool classRP_COLUMN::Print(std::uint16_t column, long date) { return Print(column, date, kRpDateOptions); }
bool classRP_COLUMN::Print(std::uint16_t column, const mm_buffer* money) {
  return Print(column, money, kRpMoneyOptions);
}
bool classRP_COLUMN::Print(std::uint16_t column, const char* text, int attribute) {
  return PrintColumnText(column, text, &attribute, false);
}
bool classRP_COLUMN::Print(std::uint16_t column, const char* text) {
  return PrintColumnText(column, text, nullptr, false);
}
bool classRP_COLUMN::Print(std::uint16_t column, bool yes) { return Print(column, yes ? "Yes" : "No"); }
bool classRP_COLUMN::Print(const char* text, int attribute) { return PrintText(text, &attribute, false); }
bool classRP_COLUMN::Print(const char* text) { return PrintText(text, nullptr, false); }

void classRP_COLUMN::ClientInfo(const char*, long) {}
void classRP_COLUMN::ClientInfo(ADDRESS&) {}
void classRP_COLUMN::ClientInfo(ZORV1101_REC&) {}
void classRP_COLUMN::ClientInfo(ZORV2001_REC&) {}
void classRP_COLUMN::ClientInfo(ZORV2020_TLD&) {}
void classRP_COLUMN::DataIsReadonly(bool) {}
void classRP_COLUMN::DataIsSource(bool) {}
void classRP_COLUMN::SetColumnISYI(std::uint16_t, long) {}
void classRP_COLUMN::SetSectionISYI(long) {}
void classRP_COLUMN::SetExtraColData(std::uint16_t, const char*) {}
void classRP_COLUMN::SaveXML(char**) {}
void classRP_COLUMN::SaveXML(std::string) {}
void classRP_COLUMN::SetSerialNo(long) {}

void classRP_COLUMN::PrePrint() {
  if (columns == nullptr || !rp_active()) return;
  if (bufferon == nullptr && lineBuffering == 0 && blockBuffering == 0) {
    bufferon = this;
    lineBuffering = 1;
    ::rp_bufferon(-1, bufferFn);
  }
  if (pendingBlankLines != 0) FlushBlankLines();
  if (checkFn != nullptr && checkFn() == 1 && lineFlag != nullptr && bufferon == this) *lineFlag = 1;
  if (::rp_currentset() != currentSet) ::rp_selectset(currentSet);
}

void classRP_COLUMN::PostPrint(const char* text) {
  if (columns == nullptr || !rp_active()) return;
  used = 1;
  if (ends_in_newline(text) && lineBuffering != 0) {
    bufferon = nullptr;
    lineBuffering = 0;
    ::rp_bufferoff(0);
    if (lineFlag != nullptr) *lineFlag = 0;
  }
}

void classRP_COLUMN::BufferStart() {
  if (!rp_active() || columns == nullptr) return;
  if (bufferon == nullptr && lineBuffering == 0 && blockBuffering == 0) {
    bufferon = this;
    blockBuffering = 1;
    ::rp_bufferon(-1, bufferFn);
  }
  if (lineBuffering != 0) {
    lineBuffering = 0;
    blockBuffering = 1;
  }
}

void classRP_COLUMN::BufferEnd() {
  if (!rp_active() || columns == nullptr) return;
  if (blockBuffering == 0) return;
  bufferon = nullptr;
  blockBuffering = 0;
  ::rp_bufferoff(0);
}

bool classRP_COLUMN::Blank(int n) {
  // A count below 1 asks for nothing.
  if (n <= 0) return false;
  pendingBlankLines += n;
  return true;
}

void classRP_COLUMN::FlushBlankLines() {
  const int lines = pendingBlankLines;
  pendingBlankLines = 0;
  for (int i = 0; i < lines; ++i) Print("\n");
}

classRP_COLUMN* classRP_COLUMN::Like() {
  if (columns != nullptr) {
    if (rp_active() && like == nullptr) {
      like = std::make_unique<classRP_COLUMN>(nullptr, nullptr, nullptr, columns, std::uint16_t{0});
    }
  } else if (like == nullptr) {
    like = std::make_unique<classRP_COLUMN>();
  }
  return like.get();
}

void classRP_COLUMN::DeleteLike() { like.reset(); }

bool classRP_COLUMN::ColIDExist(std::uint16_t id) {
  if (!rp_active() || columns == nullptr) return false;
  for (const RP_COLUMN* column = columns; !is_end_record(*column); ++column) {
    if (column->id == id) return true;
  }
  return false;
}

std::uint16_t classRP_COLUMN::GetColID(int position) {
  if (!rp_active() || columns == nullptr) return 0;
  const RP_COLUMN* column = columns;
  for (int at = 1; position >= 1 && !is_end_record(*column); ++at, ++column) {
    if (at == position) return column->id;
  }
  _exgen_error(1, "Col index not in range", 0, "FLEXCOL", __LINE__);
  return 0;
}

bool flexp(classRP_COLUMN* column, const char* format, ...) {
  if (column == nullptr || column->Null()) return false;
  if (!column->rp_active()) {
    column->Print(format);
    return true;
  }
  column->PrePrint();
  va_list values;
  va_start(values, format);
  const int printed = ::rp_vprint(format, values);
  va_end(values);
  column->PostPrint(format);
  return printed != 0;
}

classRP_OUTPUT::classRP_OUTPUT(rp_check_function checkFn, rp_buffer_function bufferFn, int* lineFlag,
                               RP_COLUMN* columns)
    : classRP_COLUMN(checkFn, bufferFn, lineFlag, columns, 0) {}

classRP_OUTPUT::classRP_OUTPUT(rp_check_function checkFn, rp_buffer_function bufferFn, int* lineFlag,
                               classCOLUMN_FACTORY* factory)
    : classRP_COLUMN(checkFn, bufferFn, lineFlag, layout_of(factory), 0) {}

bool classRP_OUTPUT::Print(std::uint16_t column, long date, int attribute, const char* options) {
  return PrintDate(column, date, &attribute, options, true);
}
bool classRP_OUTPUT::Print(std::uint16_t column, long date, int attribute) {
  return PrintDate(column, date, &attribute, kRpDateOptions, true);
}
bool classRP_OUTPUT::Print(std::uint16_t column, long date, const char* options) {
  return PrintDate(column, date, nullptr, options, true);
}
bool classRP_OUTPUT::Print(std::uint16_t column, long date) {
  return PrintDate(column, date, nullptr, kRpDateOptions, true);
}
bool classRP_OUTPUT::Print(std::uint16_t column, const mm_buffer* money, int attribute, const char* options) {
  return PrintMoney(column, money, &attribute, options, true);
}
bool classRP_OUTPUT::Print(std::uint16_t column, const mm_buffer* money, int attribute) {
  return PrintMoney(column, money, &attribute, kRpMoneyOptions, true);
}
bool classRP_OUTPUT::Print(std::uint16_t column, const mm_buffer* money, const char* options) {
  return PrintMoney(column, money, nullptr, options, true);
}
bool classRP_OUTPUT::Print(std::uint16_t column, const mm_buffer* money) {
  return PrintMoney(column, money, nullptr, kRpMoneyOptions, true);
}
bool classRP_OUTPUT::Print(std::uint16_t column, const char* text, int attribute) {
  return PrintColumnText(column, text, &attribute, true);
}
bool classRP_OUTPUT::Print(std::uint16_t column, const char* text) {
  return PrintColumnText(column, text, nullptr, true);
}
bool classRP_OUTPUT::Print(const char* text, int attribute) { return PrintText(text, &attribute, true); }
bool classRP_OUTPUT::Print(const char* text) { return PrintText(text, nullptr, true); }
