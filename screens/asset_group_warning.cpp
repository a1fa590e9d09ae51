#include "qarntash/screens/asset_group_warning.h"

#include "platform/window_services.h"

namespace {

constexpr const char* kTitle = "Fixed Asset Register";
constexpr const char* kWarning =
    "You have selected to change the asset group.\n"
    "If you choose to continue please consider the following:\n\n"
    "Does the P/L Depreciation A/C need updating?\n\n"
    "Does a recalculation of capital allowances need to be run in Business Tax?";

}  // namespace

bool CAssetGroupChangeWarningUI::DisplayWarning() const {
  return wp_promptbox(kTitle, kWarning, "&Continue|C&ancel", 'C', 0) == 'C';
}
