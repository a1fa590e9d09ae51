// The messages of the UITF 40 screens: string-table texts shown under the suite's title.
#pragma once

#include "platform/window_services.h"
#include "qarntash/reporting/string_table.h"

namespace uitf40_screens {

constexpr const char* kTitle = "Velmar Tax";
constexpr const char* kYesNo = "&Yes|&No";

// String-table numbers.
constexpr unsigned kFirstYearChangePrompt = 104;
constexpr unsigned kCompanyNotRequired = 105;
constexpr unsigned kOverrideAboveTotal = 109;
constexpr unsigned kLowProfitsPrompt = 110;
constexpr unsigned kInstalmentsAboveTotal = 112;
constexpr unsigned kPartnershipNotRequired = 115;

// F8, which both screens take over.
constexpr unsigned long kResetKey = 119;

inline void show_message(unsigned id) { wp_messagebox(kTitle, CStringTableVori::GetString(id).c_str()); }

// True when the user answers Yes; No is the default.
inline bool ask(unsigned id) { return wp_promptbox(kTitle, CStringTableVori::GetString(id).c_str(), kYesNo, 'N', 0) == 'Y'; }

// The one-line notice of a refused override.
inline void notify_override_refused() { wp_displaytrivial(CStringTableVori::GetString(kOverrideAboveTotal).c_str()); }

}  // namespace uitf40_screens
