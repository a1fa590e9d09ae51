// Report layout settings: the process-wide header, footer and fly-sheet settings, loaded from the
// report-settings table once per user and kept until invalidated.
#include "qarntash/reporting/report_settings.h"

#include <cstring>
#include <new>

#include "platform/field_tables.h"
#include "platform/practice/settings.h"
#include "qarntash/library.h"

namespace {

constexpr const char* kTableName = "zorv3000.ttl";
constexpr int kRecordLength = 512;
constexpr int kKeyLength = 6;

// Loads a newly made settings object (null when memory ran out) into the cache.
template <class Settings>
const Settings* keep_loaded(Settings* made, Settings*& cached, short user) {
  if (made == nullptr) return nullptr;
  CReportSettingsDataAccess_BT(user).getSettings(made);
  cached = made;
  return cached;
}

// A record's code as a short or long: bits the loader reads.
bool has_bit(long code, long bit) { return (code & bit) != 0; }

}  // namespace

CHeaderSettings* CHeaderSettings::m_Instance = nullptr;
short CHeaderSettings::m_UserID = 0;
CFooterSettings* CFooterSettings::m_Instance = nullptr;
short CFooterSettings::m_UserID = 0;
CFlySheetSettings* CFlySheetSettings::m_Instance = nullptr;
short CFlySheetSettings::m_UserID = 0;

CHeaderSettings::~CHeaderSettings() = default;
CFooterSettings::~CFooterSettings() = default;
CFlySheetSettings::~CFlySheetSettings() = default;

const CHeaderSettings* CHeaderSettings::Instance() {
  return m_Instance != nullptr ? m_Instance : keep_loaded(new (std::nothrow) CHeaderSettings(), m_Instance, m_UserID);
}
const CFooterSettings* CFooterSettings::Instance() {
  return m_Instance != nullptr ? m_Instance : keep_loaded(new (std::nothrow) CFooterSettings(), m_Instance, m_UserID);
}
const CFlySheetSettings* CFlySheetSettings::Instance() {
  return m_Instance != nullptr ? m_Instance
                               : keep_loaded(new (std::nothrow) CFlySheetSettings(), m_Instance, m_UserID);
}

void CHeaderSettings::Invalidate() {
  delete m_Instance;
  m_Instance = nullptr;
}
void CFooterSettings::Invalidate() {
  delete m_Instance;
  m_Instance = nullptr;
}
void CFlySheetSettings::Invalidate() {
  delete m_Instance;
  m_Instance = nullptr;
}

// ---- Reading the table ------------------------------------------------------------------

CReportSettingsDataAccess_BT::CReportSettingsDataAccess_BT(short userID)
    : m_UserID(userID), m_Handle(nullptr), m_KeyBuffer(nullptr), m_StandardOptions(0) {
  OpenFiles();
}

CReportSettingsDataAccess_BT::CReportSettingsDataAccess_BT(const CReportSettingsDataAccess_BT& other)
    : m_UserID(other.m_UserID), m_Handle(nullptr), m_KeyBuffer(nullptr), m_StandardOptions(other.m_StandardOptions) {
  OpenFiles();
}

CReportSettingsDataAccess_BT& CReportSettingsDataAccess_BT::operator=(const CReportSettingsDataAccess_BT& other) {
  m_UserID = other.m_UserID;
  m_StandardOptions = other.m_StandardOptions;
  return *this;
}

CReportSettingsDataAccess_BT::~CReportSettingsDataAccess_BT() { CloseFiles(); }

void CReportSettingsDataAccess_BT::OpenFiles() {
  if (_btopen(&m_Handle, 0, 0, kRecordLength, kKeyLength, qarntash_configuration().data_path, kTableName,
              kRecordStoreAccessWord, 0, __FILE__, __LINE__, 1) == BTR_OK) {
    m_KeyBuffer = m_Handle->key_buffer;
  } else {
    m_Handle = nullptr;
    m_KeyBuffer = nullptr;
  }
}

void CReportSettingsDataAccess_BT::CloseFiles() {
  if (m_Handle != nullptr) _btclose(&m_Handle, __FILE__, __LINE__, 1);
  m_KeyBuffer = nullptr;
}

// Reads the record of `kind` for the user, else for user 0. False when neither is there (or the
// table is not open).
bool CReportSettingsDataAccess_BT::readKind(std::int32_t kind) {
  if (m_Handle == nullptr) return false;
  auto read_for = [this, kind](std::int16_t user) {
    std::memset(m_KeyBuffer, 0, kKeyLength);
    std::memcpy(m_KeyBuffer, &kind, sizeof kind);
    std::memcpy(m_KeyBuffer + sizeof kind, &user, sizeof user);
    return _bt(BTR_GET_EQUAL, m_Handle, 0, __FILE__, __LINE__, 0) == BTR_OK;
  };
  return read_for(m_UserID) || (m_UserID != 0 && read_for(0));
}

namespace {

// Unpacks the current record into `fields`, every place zeroed first: a field the record lacks
// reads as 0, never as what an earlier record left there.
bool extract(FAC_ENTRY* fields, btrv_fcb* handle) {
  clear_fac(fields);
  return get_fac(fields, handle, kKeyLength) == BTR_OK;
}

}  // namespace

bool CReportSettingsDataAccess_BT::getDefaultSettings(short& clientNameCode, short& reportTitleCode,
                                                      long& dateTextCode) {
  std::int16_t client_name = 0, report_title = 0;
  std::int32_t date_text = 0;
  FAC_ENTRY fields[] = {{500, 2, FAC_KIND_RAW, 0, &client_name},
                        {501, 2, FAC_KIND_RAW, 0, &report_title},
                        {502, 4, FAC_KIND_RAW, 0, &date_text},
                        {-1, 0, 0, 0, nullptr}};
  const bool found = readKind(kZorv3000Header) && extract(fields, m_Handle);
  clientNameCode = client_name;
  reportTitleCode = report_title;
  dateTextCode = date_text;
  return found;
}

bool CReportSettingsDataAccess_BT::getDefaultFootSettings(short& placement, short& choice, short& option,
                                                          short& continued) {
  std::int16_t codes[4] = {};
  FAC_ENTRY fields[] = {{1700, 2, FAC_KIND_RAW, 0, &codes[0]},
                        {1701, 2, FAC_KIND_RAW, 0, &codes[1]},
                        {1702, 2, FAC_KIND_RAW, 0, &codes[2]},
                        {1703, 2, FAC_KIND_RAW, 0, &codes[3]},
                        {-1, 0, 0, 0, nullptr}};
  const bool found = readKind(kZorv3000Footer) && extract(fields, m_Handle);
  placement = codes[0];
  choice = codes[1];
  option = codes[2];
  continued = codes[3];
  return found;
}

bool CReportSettingsDataAccess_BT::getDefaultFlySheetSettings(short& width, short& drop, short& offset,
                                                              short& regNoTextType, short& mainTextType,
                                                              short& agentDetailsTextType) {
  std::int16_t values[6] = {};
  FAC_ENTRY fields[] = {{1150, 2, FAC_KIND_RAW, 0, &values[0]}, {1151, 2, FAC_KIND_RAW, 0, &values[1]},
                        {1152, 2, FAC_KIND_RAW, 0, &values[2]}, {1153, 2, FAC_KIND_RAW, 0, &values[3]},
                        {1154, 2, FAC_KIND_RAW, 0, &values[4]}, {1155, 2, FAC_KIND_RAW, 0, &values[5]},
                        {-1, 0, 0, 0, nullptr}};
  const bool found = readKind(kZorv3000FlySheet) && extract(fields, m_Handle);
  width = values[0];
  drop = values[1];
  offset = values[2];
  regNoTextType = values[3];
  mainTextType = values[4];
  agentDetailsTextType = values[5];
  return found;
}

void CReportSettingsDataAccess_BT::getStandardOptions() {
  std::int32_t options = 0;
  FAC_ENTRY fields[] = {{1400, 4, FAC_KIND_RAW, 0, &options}, {-1, 0, 0, 0, nullptr}};
  if (readKind(kZorv3000Options) && extract(fields, m_Handle)) m_StandardOptions = options;
}

void CReportSettingsDataAccess_BT::setClientNameAttributes(CHeaderSettings* settings, short code) {
  CClientName& name = settings->m_Headings.m_ClientName;
  name.m_Choice = has_bit(code, 0x01) ? 1 : has_bit(code, 0x02) ? 2 : 0;
  name.m_OptionA = has_bit(code, 0x10) ? 1 : 0;
  name.m_OptionB = has_bit(code, 0x04) ? 1 : 0;
  name.m_Enabled = has_bit(code, 0x08) ? 0 : 1;
  name.Validate();
}

// The report title has no second choice: bit 0x02 is not consulted.
void CReportSettingsDataAccess_BT::setReportTitleAttributes(CHeaderSettings* settings, short code) {
  CReportTitle& title = settings->m_Headings.m_ReportTitle;
  title.m_Choice = has_bit(code, 0x01) ? 1 : 0;
  title.m_OptionA = has_bit(code, 0x10) ? 1 : 0;
  title.m_OptionB = has_bit(code, 0x04) ? 1 : 0;
  title.m_Enabled = has_bit(code, 0x08) ? 0 : 1;
  title.Validate();
}

// The highest of the three choice bits wins.
void CReportSettingsDataAccess_BT::setDateTextAttributes(CHeaderSettings* settings, long code) {
  CDateText& date = settings->m_Headings.m_DateText;
  date.m_Choice = has_bit(code, 0x04) ? 3 : has_bit(code, 0x02) ? 2 : has_bit(code, 0x01) ? 1 : 0;
  date.m_OptionA = has_bit(code, 0x400) ? 1 : 0;
  date.Validate();
}

// A placement outside 1, 2, 4 and 8 is 0, so a footer with no record has placement 0.
void CReportSettingsDataAccess_BT::setPageNumberAttributes(CFooterSettings* settings, short placement,
                                                           short choice, short option) {
  CPageNumber& page = settings->m_PageNumber;
  page.m_Placement = placement == 1 || placement == 2 || placement == 4 || placement == 8 ? placement : 0;
  page.m_Choice = choice == 1 || choice == 2 ? choice : 0;
  page.m_OptionA = option == 1 ? 1 : 0;
  page.Validate();
}

void CReportSettingsDataAccess_BT::setContinuedAttribute(CFooterSettings* settings, short code) {
  settings->SetIncludeContinued(code == 0);
}

void CReportSettingsDataAccess_BT::getSettings(CHeaderSettings* settings) {
  if (settings == nullptr) return;
  short client_name = 0, report_title = 0;
  long date_text = 0;
  getDefaultSettings(client_name, report_title, date_text);
  getStandardOptions();
  setDateTextAttributes(settings, date_text);
  setClientNameAttributes(settings, client_name);
  setReportTitleAttributes(settings, report_title);
  settings->SetStandardReportOptions(m_StandardOptions);
}

void CReportSettingsDataAccess_BT::getSettings(CFooterSettings* settings) {
  if (settings == nullptr) return;
  short placement = 0, choice = 0, option = 0, continued = 0;
  getDefaultFootSettings(placement, choice, option, continued);
  getStandardOptions();
  setPageNumberAttributes(settings, placement, choice, option);
  setContinuedAttribute(settings, continued);
  settings->SetStandardReportOptions(m_StandardOptions);
}

void CReportSettingsDataAccess_BT::getSettings(CFlySheetSettings* settings) {
  if (settings == nullptr) return;
  short width = 0, drop = 0, offset = 0, reg_no = 0, main_text = 0, agent = 0;
  getDefaultFlySheetSettings(width, drop, offset, reg_no, main_text, agent);
  settings->SetWidth(width);
  settings->SetDrop(drop);
  settings->SetOffset(offset);
  settings->SetRegNoTextType(reg_no);
  settings->SetMainTextType(main_text);
  settings->SetAgentDetailsTextType(agent);
}
