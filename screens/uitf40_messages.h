// The messages of the UITF 40 screens (string-table texts shown under the suite's title), and the
// override of a typed amount that both screens refuse alike.
#pragma once

#include "platform/forms.h"
#include "platform/uitf40_adjustment.h"
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

// The amount typed into `amount_taxed` becomes the override of `period` (a period or a CTAP) when
// the adjustment accepts it, and the screen refreshes; otherwise the one-line notice 109 shows and
// the field gets the override back. Returns the handler's result: 0, or the field's id.
template <typename Refresh>
long take_typed_override(const Velmar::BusinessRules::Taxation::BusinessTax::CUITF40Adjustment& adjustment,
                         Velmar::BusinessRules::Taxation::BusinessTax::CUITF40AdjustmentPeriod& period,
                         fp_MONEY_FIELD& amount_taxed, Refresh refresh) {
  const double amount = amount_taxed.get();
  if (adjustment.ValidateOverrideAmount(amount)) {
    period.SetOverrideAmount(amount);
    refresh();
    return 0;
  }
  wp_displaytrivial(CStringTableVori::GetString(kOverrideAboveTotal).c_str());
  amount_taxed.set(period.GetOverrideAmount());
  return amount_taxed.id();
}

}  // namespace uitf40_screens
