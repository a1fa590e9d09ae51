#include "qarntash/reporting/column_factory.h"

#include <cstring>

namespace {

constexpr std::uint16_t kFirstNumberedColumn = 1000;
constexpr std::size_t kVersionLength = 24;
constexpr std::uint8_t kDefaultOption3 = 10;

const char* text_or_null(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

// An empty or null text leaves the field absent.
void set_text(std::string& field, const char* text) { field = text != nullptr ? text : ""; }

// One setting of a column by its code; the 16-bit fields take the value's low 16 bits, the byte
// fields its low 8 bits. Other codes change nothing.
void amend_setting(RP_COLUMN& column, int code, std::intptr_t value) {
  const auto low16 = static_cast<std::uint16_t>(value & 0xFFFF);
  const auto low8 = static_cast<std::uint8_t>(value & 0xFF);
  switch (code) {
    case 1: column.width = low16; break;
    case 2: column.gap = low16; break;
    case 3: column.option3 = low8; break;
    case 4: column.option4 = low8; break;
    case 5: column.style = low8; break;
    case 6: column.option6 = low8; break;
    case 7: column.flags = low8; break;
    case 8: column.shading = low8; break;
    case 9: column.gapShading = low8; break;
    case 10: column.option10 = low8; break;
    default: break;
  }
}

}  // namespace

classCOLUMN_FACTORY::classCOLUMN_FACTORY(std::uint16_t lastColumnID)
    : lastColumnID(lastColumnID), columns(1, RP_COLUMN{}) {}

int classCOLUMN_FACTORY::AddDesc(std::uint16_t id, std::uint16_t width, std::uint16_t gap, std::uint8_t style) {
  return AddTyped(id, width, gap, style, kDescriptionColumn);
}

int classCOLUMN_FACTORY::AddMoney(std::uint16_t id, std::uint16_t width, std::uint16_t gap, std::uint8_t style) {
  return AddTyped(id, width, gap, style, kMoneyColumn);
}

int classCOLUMN_FACTORY::AddDate(std::uint16_t id, std::uint16_t width, std::uint16_t gap, std::uint8_t style) {
  return AddTyped(id, width, gap, style, kDateColumn);
}

int classCOLUMN_FACTORY::AddTyped(std::uint16_t id, std::uint16_t width, std::uint16_t gap, std::uint8_t style,
                                  long type) {
  RP_COLUMN column{};
  column.id = id;
  column.width = width;
  column.gap = gap;
  column.option3 = kDefaultOption3;
  column.style = style;
  column.flags = defaultFlags;
  column.shading = defaultShading;
  column.gapShading = defaultGapShading;
  Append(column, type, 1);
  return 1;
}

int classCOLUMN_FACTORY::AddColumn(RP_COLUMN column) {
  Append(column, kRawColumn, 0);
  return 1;
}

void classCOLUMN_FACTORY::Append(const RP_COLUMN& column, long type, int active) {
  eIncreaseColumns(count);
  ++count;
  columns.back() = column;
  columns.push_back(RP_COLUMN{});  // the end record
  columnData[static_cast<std::size_t>(count - 1)].type = type;
  columnData[static_cast<std::size_t>(count - 1)].active = active;
}

void classCOLUMN_FACTORY::eIncreaseColumns(int position) {
  if (position >= 0 && static_cast<std::size_t>(position) >= columnData.size()) {
    columnData.resize(static_cast<std::size_t>(position) + 1);
  }
}

int classCOLUMN_FACTORY::IsColumn(std::uint16_t id) const { return Find(id) != nullptr ? 1 : 0; }

int classCOLUMN_FACTORY::GetIndex(std::uint16_t id) const {
  for (int i = 0; i < count; ++i) {
    if (columns[static_cast<std::size_t>(i)].id == id) return i;
  }
  return 0;
}

RP_COLUMN* classCOLUMN_FACTORY::Find(std::uint16_t id) {
  // GetIndex gives 0 also when no column has the ID, so the column it names is checked.
  const auto position = static_cast<std::size_t>(GetIndex(id));
  return position < static_cast<std::size_t>(count) && columns[position].id == id ? &columns[position] : nullptr;
}

const RP_COLUMN* classCOLUMN_FACTORY::Find(std::uint16_t id) const {
  return const_cast<classCOLUMN_FACTORY*>(this)->Find(id);
}

void classCOLUMN_FACTORY::SetDefaultShading(std::uint8_t shading) { defaultShading = shading; }
void classCOLUMN_FACTORY::SetDefaultGapShading(std::uint8_t shading) { defaultGapShading = shading; }
void classCOLUMN_FACTORY::SetDefaultFlags(std::uint8_t flags) { defaultFlags = flags; }

void classCOLUMN_FACTORY::IgnoreColumn(std::uint16_t id) { AmendColumnSetting(id, 7, kRpColumnIgnored); }
void classCOLUMN_FACTORY::BlankColumn(std::uint16_t id) { AmendColumnSetting(id, 7, kRpColumnBlank); }
void classCOLUMN_FACTORY::EnableColumn(std::uint16_t id) { AmendColumnSetting(id, 7, kRpColumnEnabled); }

void classCOLUMN_FACTORY::AmendColumnSetting(std::uint16_t id, int code, std::intptr_t value) {
  if (RP_COLUMN* column = Find(id)) amend_setting(*column, code, value);
}

void classCOLUMN_FACTORY::AmendAllColumnSettings(int code, std::intptr_t value) {
  // Each numbered column in turn, so that two columns sharing an ID are both amended.
  for (int i = 0; i < count; ++i) {
    RP_COLUMN& column = columns[static_cast<std::size_t>(i)];
    if (column.id >= kFirstNumberedColumn) amend_setting(column, code, value);
  }
}

int classCOLUMN_FACTORY::ExpandToFit(std::uint16_t id, std::uint16_t totalWidth) {
  std::uint16_t used = 0;
  for (int i = 0; i < count; ++i) {
    const RP_COLUMN& column = columns[static_cast<std::size_t>(i)];
    used = static_cast<std::uint16_t>(used + column.width + column.gap);
  }
  if (used >= totalWidth) return 0;
  RP_COLUMN* column = Find(id);
  if (column == nullptr) return 0;
  column->width = static_cast<std::uint16_t>(column->width + (totalWidth - used));
  return 1;
}

std::uint8_t classCOLUMN_FACTORY::GetColumnShading(std::uint16_t id) const {
  const RP_COLUMN* column = Find(id);
  return column != nullptr ? column->shading : 0;
}

RP_COLUMN* classCOLUMN_FACTORY::GetColumn() {
  for (unsigned id = kFirstNumberedColumn; id <= lastColumnID; ++id) {
    if (IsColumn(static_cast<std::uint16_t>(id)) != 0) continue;
    RP_COLUMN placeholder{};
    placeholder.id = static_cast<std::uint16_t>(id);
    placeholder.width = 1;
    placeholder.option3 = kDefaultOption3;
    placeholder.flags = kRpColumnIgnored;
    AddColumn(placeholder);
  }
  return columns.data();
}

void classCOLUMN_FACTORY::eSetVersion(const char* text) {
  version = text != nullptr ? std::string(text, strnlen(text, kVersionLength)) : "";
}
const char* classCOLUMN_FACTORY::eGetVersion() const { return version.c_str(); }
void classCOLUMN_FACTORY::eSetSectionId(long id) { sectionId = id; }
long classCOLUMN_FACTORY::eGetSectionId() const { return sectionId; }
void classCOLUMN_FACTORY::eSetSectionISYI(long isyi) { sectionISYI = isyi; }
long classCOLUMN_FACTORY::eGetSectionISYI() const { return sectionISYI; }
void classCOLUMN_FACTORY::eSetSectionTitle(const char* text) { set_text(sectionTitle, text); }
void classCOLUMN_FACTORY::eSetSectionDesc(const char* text) { set_text(sectionDesc, text); }
void classCOLUMN_FACTORY::eSetSectionExtra(const char* text) { set_text(sectionExtra, text); }
void classCOLUMN_FACTORY::eResetSectionTitle() { sectionTitle.clear(); }
void classCOLUMN_FACTORY::eResetSectionDesc() { sectionDesc.clear(); }
void classCOLUMN_FACTORY::eResetSectionExtra() { sectionExtra.clear(); }
const char* classCOLUMN_FACTORY::eGetSectionTitle() const { return text_or_null(sectionTitle); }
const char* classCOLUMN_FACTORY::eGetSectionDesc() const { return text_or_null(sectionDesc); }
const char* classCOLUMN_FACTORY::eGetSectionExtra() const { return text_or_null(sectionExtra); }

classCOLUMN_FACTORY::ColumnData* classCOLUMN_FACTORY::DataOf(std::uint16_t id) {
  if (count == 0) return nullptr;
  return &columnData[static_cast<std::size_t>(GetIndex(id))];
}

const classCOLUMN_FACTORY::ColumnData* classCOLUMN_FACTORY::DataOf(std::uint16_t id) const {
  return const_cast<classCOLUMN_FACTORY*>(this)->DataOf(id);
}

// The per-column accessors: a setter does nothing and a getter gives 0 or null on a factory
// without columns.
#define QARNTASH_COLUMN_VALUE(Name, type, member)                                          \
  void classCOLUMN_FACTORY::eSet##Name(std::uint16_t id, type value) {                     \
    if (ColumnData* data = DataOf(id)) data->member = value;                               \
  }                                                                                        \
  type classCOLUMN_FACTORY::eGet##Name(std::uint16_t id) const {                           \
    const ColumnData* data = DataOf(id);                                                   \
    return data != nullptr ? data->member : 0;                                             \
  }
QARNTASH_COLUMN_VALUE(ColumnType, long, type)
QARNTASH_COLUMN_VALUE(ColumnISYI, long, isyi)
QARNTASH_COLUMN_VALUE(ColumnActive, int, active)
QARNTASH_COLUMN_VALUE(ColumnReadonly, int, readonly)
#undef QARNTASH_COLUMN_VALUE

#define QARNTASH_COLUMN_TEXT(Name, member)                                                 \
  void classCOLUMN_FACTORY::eSet##Name(std::uint16_t id, const char* text) {               \
    if (ColumnData* data = DataOf(id)) set_text(data->member, text);                       \
  }                                                                                        \
  void classCOLUMN_FACTORY::eReset##Name(std::uint16_t id) {                               \
    if (ColumnData* data = DataOf(id)) data->member.clear();                               \
  }                                                                                        \
  const char* classCOLUMN_FACTORY::eGet##Name(std::uint16_t id) const {                    \
    const ColumnData* data = DataOf(id);                                                   \
    return data != nullptr ? text_or_null(data->member) : nullptr;                         \
  }
QARNTASH_COLUMN_TEXT(ColumnTitle, title)
QARNTASH_COLUMN_TEXT(ColumnDesc, desc)
QARNTASH_COLUMN_TEXT(ColumnExtra, extra)
#undef QARNTASH_COLUMN_TEXT
