// File: qarntash/reporting/report_settings.h
//
// Report layout settings: how a user's page headers, footers and fly sheets (the cover sheet of
// a report) are laid out, kept per user in the report-settings table (zorv3000.ttl), user 0
// holding the practice's own. CHeaderSettings, CFooterSettings and CFlySheetSettings are
// process-wide: Instance() loads the current user's settings on first use (a kind of record the
// user lacks falls back to user 0's, then to zero codes) and keeps them until Invalidate().
// SetUserID chooses whose settings the next load uses; it takes effect after Invalidate().
//
// The element records (client name, report title, date text, page number, ...) are byte-packed,
// since the host programs read their fields directly. Nothing here writes to the table.
//
// Usage:
//   CHeaderSettings::SetUserID(7);
//   CHeaderSettings::Invalidate();
//   const CHeaderSettings* header = CHeaderSettings::Instance();
//   if (header != nullptr && header->RuleOffHeader()) ... draw a rule under the header
//
// The statics are unguarded: call from the host's user-interface thread only.
#pragma once

#include <cstdint>

#include "platform/record_store.h"
#include "qarntash/export.h"

#pragma pack(push, 1)

class QARNTASH_API CSettingsBase {
 public:
  CSettingsBase() = default;
  void Invalidate() { m_Valid = false; }
  bool IsValid() const { return m_Valid; }
  void Validate() { m_Valid = true; }

  bool m_Valid = false;
};

// The client-name line of a heading; CReportTitle, the report-title line, has the same fields.
class QARNTASH_API CClientName : public CSettingsBase {
 public:
  std::int32_t m_Choice = 0;
  std::int32_t m_OptionA = 0;
  std::int32_t m_OptionB = 1;
  std::int32_t m_Enabled = 1;
};
class QARNTASH_API CReportTitle : public CSettingsBase {
 public:
  std::int32_t m_Choice = 0;
  std::int32_t m_OptionA = 0;
  std::int32_t m_OptionB = 1;
  std::int32_t m_Enabled = 1;
};

class QARNTASH_API CDateText : public CSettingsBase {
 public:
  std::int32_t m_Choice = 0;
  std::int32_t m_OptionA = 0;
};

class QARNTASH_API CReportHeadings : public CSettingsBase {
 public:
  CClientName m_ClientName;
  CReportTitle m_ReportTitle;
  CDateText m_DateText;
  std::uint8_t m_Reserved = 0;  // only copied with the record
};

class QARNTASH_API CPageNumber : public CSettingsBase {
 public:
  std::int32_t m_Placement = 1;
  std::int32_t m_Choice = 0;
  std::int32_t m_OptionA = 0;
};

class QARNTASH_API CPeriodColumns : public CSettingsBase {
 public:
  std::int32_t m_Value = 0;
};

class QARNTASH_API CHeadingText : public CSettingsBase {
 public:
  std::int32_t m_Choice = 2;
  std::int32_t m_OptionA = 0;
};

class QARNTASH_API CDateFormats : public CSettingsBase {
 public:
  std::int32_t m_Choice = 0;
  CPeriodColumns m_PeriodColumns;
  CHeadingText m_HeadingText;
};

class CReportSettingsDataAccess_BT;

class QARNTASH_API CHeaderSettings : public CSettingsBase {
 public:
  CHeaderSettings(const CHeaderSettings&) = default;
  CHeaderSettings& operator=(const CHeaderSettings&) = default;

  // The cached settings, loaded first when there are none; null only when memory ran out.
  static const CHeaderSettings* Instance();
  static void Invalidate();
  static short GetUserID() { return m_UserID; }
  static void SetUserID(short user) { m_UserID = user; }

  bool RuleOffHeader() const { return (m_StandardReportOptions & 0x10) != 0; }
  void SetStandardReportOptions(long options) { m_StandardReportOptions = static_cast<std::int32_t>(options); }

  CReportHeadings m_Headings;
  std::int32_t m_StandardReportOptions = 0;

 private:
  friend class CReportSettingsDataAccess_BT;
  CHeaderSettings() = default;
  virtual ~CHeaderSettings();
  static CHeaderSettings* m_Instance;
  static short m_UserID;
};

class QARNTASH_API CFooterSettings : public CSettingsBase {
 public:
  CFooterSettings(const CFooterSettings&) = default;
  CFooterSettings& operator=(const CFooterSettings&) = default;

  static const CFooterSettings* Instance();
  static void Invalidate();
  static short GetUserID() { return m_UserID; }
  static void SetUserID(short user) { m_UserID = user; }

  bool RuleOffFooter() const { return (m_StandardReportOptions & 0x20) != 0; }
  void SetStandardReportOptions(long options) { m_StandardReportOptions = static_cast<std::int32_t>(options); }
  bool GetIncludeContinued() const { return m_IncludeContinued; }
  void SetIncludeContinued(bool include) { m_IncludeContinued = include; }

  CPageNumber m_PageNumber;
  std::int32_t m_StandardReportOptions = 0;
  bool m_IncludeContinued = false;

 private:
  friend class CReportSettingsDataAccess_BT;
  CFooterSettings() = default;
  virtual ~CFooterSettings();
  static CFooterSettings* m_Instance;
  static short m_UserID;
};

class QARNTASH_API CFlySheetSettings : public CSettingsBase {
 public:
  CFlySheetSettings(const CFlySheetSettings&) = default;
  CFlySheetSettings& operator=(const CFlySheetSettings&) = default;

  static const CFlySheetSettings* Instance();
  static void Invalidate();
  static short GetUserID() { return m_UserID; }
  static void SetUserID(short user) { m_UserID = user; }

  short GetWidth() const { return m_Width; }
  short GetDrop() const { return m_Drop; }
  short GetOffset() const { return m_Offset; }
  short GetRegNoTextType() const { return m_RegNoTextType; }
  short GetMainTextType() const { return m_MainTextType; }
  short GetAgentDetailsTextType() const { return m_AgentDetailsTextType; }
  void SetWidth(short value) { m_Width = value; }
  void SetDrop(short value) { m_Drop = value; }
  void SetOffset(short value) { m_Offset = value; }
  void SetRegNoTextType(short value) { m_RegNoTextType = value; }
  void SetMainTextType(short value) { m_MainTextType = value; }
  void SetAgentDetailsTextType(short value) { m_AgentDetailsTextType = value; }

 private:
  friend class CReportSettingsDataAccess_BT;
  CFlySheetSettings() = default;
  virtual ~CFlySheetSettings();
  static CFlySheetSettings* m_Instance;
  static short m_UserID;
  std::int16_t m_Width = 0;
  std::int16_t m_Drop = 0;
  std::int16_t m_Offset = 0;
  std::int16_t m_RegNoTextType = 0;
  std::int16_t m_MainTextType = 0;
  std::int16_t m_AgentDetailsTextType = 0;
};

#pragma pack(pop)

static_assert(sizeof(CSettingsBase) == 1, "CSettingsBase");
static_assert(sizeof(CClientName) == 17 && sizeof(CReportTitle) == 17, "CClientName, CReportTitle");
static_assert(sizeof(CDateText) == 9, "CDateText");
static_assert(sizeof(CReportHeadings) == 45, "CReportHeadings");
static_assert(sizeof(CPageNumber) == 13, "CPageNumber");
static_assert(sizeof(CPeriodColumns) == 5 && sizeof(CHeadingText) == 9, "CPeriodColumns, CHeadingText");
static_assert(sizeof(CDateFormats) == 19, "CDateFormats");
static_assert(sizeof(CHeaderSettings) == sizeof(void*) + 1 + 45 + 4, "CHeaderSettings");
static_assert(sizeof(CFooterSettings) == sizeof(void*) + 1 + 13 + 4 + 1, "CFooterSettings");
static_assert(sizeof(CFlySheetSettings) == sizeof(void*) + 1 + 12, "CFlySheetSettings");

// Reads one user's settings from the report-settings table, falling back to user 0 for a kind
// of record the user lacks. The table is open for the object's life; a table that cannot be
// opened reads as one without records (every code 0).
class QARNTASH_API CReportSettingsDataAccess_BT {
 public:
  explicit CReportSettingsDataAccess_BT(short userID);
  ~CReportSettingsDataAccess_BT();
  // A copy opens the table for itself, so that no two objects ever close one handle.
  CReportSettingsDataAccess_BT(const CReportSettingsDataAccess_BT& other);
  // Copies the user and the standard options; each object keeps its own table handle.
  CReportSettingsDataAccess_BT& operator=(const CReportSettingsDataAccess_BT& other);

  // Load one settings object; a null pointer does nothing.
  void getSettings(CHeaderSettings* settings);
  void getSettings(CFooterSettings* settings);
  void getSettings(CFlySheetSettings* settings);

 private:
  bool getDefaultSettings(short& clientNameCode, short& reportTitleCode, long& dateTextCode);
  bool getDefaultFootSettings(short& placement, short& choice, short& option, short& continued);
  bool getDefaultFlySheetSettings(short& width, short& drop, short& offset, short& regNoTextType,
                                  short& mainTextType, short& agentDetailsTextType);
  void getStandardOptions();
  bool readKind(std::int32_t kind);
  void setClientNameAttributes(CHeaderSettings* settings, short code);
  void setReportTitleAttributes(CHeaderSettings* settings, short code);
  void setDateTextAttributes(CHeaderSettings* settings, long code);
  void setPageNumberAttributes(CFooterSettings* settings, short placement, short choice, short option);
  void setContinuedAttribute(CFooterSettings* settings, short code);
  void OpenFiles();
  void CloseFiles();

  short m_UserID;
  btrv_fcb* m_Handle;
  char* m_KeyBuffer;
  long m_StandardOptions;
};
