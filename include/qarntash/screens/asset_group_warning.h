// File: qarntash/screens/asset_group_warning.h
//
// The warning the fixed asset register shows before the user changes an asset's group: it asks
// whether to continue, reminding the user of the depreciation account and the capital allowances.
#pragma once

#include "qarntash/export.h"

class QARNTASH_API CAssetGroupChangeWarningUI {
 public:
  CAssetGroupChangeWarningUI() = default;
  ~CAssetGroupChangeWarningUI() = default;
  CAssetGroupChangeWarningUI(const CAssetGroupChangeWarningUI&) = default;
  CAssetGroupChangeWarningUI& operator=(const CAssetGroupChangeWarningUI&) = default;

  // True when the user chose Continue (the default); false for Cancel.
  bool DisplayWarning() const;
};
