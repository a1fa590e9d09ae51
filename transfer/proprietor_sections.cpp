#include "qarntash/transfer/proprietor_sections.h"

// The destructors live here so that each section's table of virtual functions is emitted once, in
// the library.
DTU_Proprietor_Income::~DTU_Proprietor_Income() = default;
DTU_Proprietor_Expenses::~DTU_Proprietor_Expenses() = default;
DTU_Proprietor_CapitalAllowances::~DTU_Proprietor_CapitalAllowances() = default;
DTU_Proprietor_BalancingCharges::~DTU_Proprietor_BalancingCharges() = default;
DTU_Proprietor_Assets::~DTU_Proprietor_Assets() = default;
DTU_Proprietor_Liabilities::~DTU_Proprietor_Liabilities() = default;
DTU_Proprietor_RepresentedBy::~DTU_Proprietor_RepresentedBy() = default;
DTU_Proprietor_TaxAdjustments::~DTU_Proprietor_TaxAdjustments() = default;
DTU_Proprietor_AdjustmentsToArriveAtTaxableFigure::~DTU_Proprietor_AdjustmentsToArriveAtTaxableFigure() =
    default;
DTU_Proprietor_LandAndProperty::~DTU_Proprietor_LandAndProperty() = default;

DTU_Proprietor_Expenses::DTU_Proprietor_Expenses(ExpenseType type) : m_Type(type) {}

// The totals add in the order the host programs do, so that the same figures give the same
// rounding of the last bit.

double DTU_Proprietor_CapitalAllowances::GetTotal() const {
  return m_Cars + m_BusinessPlantAndMachinery + m_AgriculturalOrIndustrialBuildingsAllowance;
}

double DTU_Proprietor_BalancingCharges::GetTotal() const {
  return m_BusinessPlantAndMachinery + m_AgriculturalOrIndustrialBuildingsAllowance + m_Other + m_Equipment +
         m_ElectricChargePointAllowance;
}

double DTU_Proprietor_Assets::GetTotal() const {
  return m_PlantMachineryAndMotorVehicles + m_OtherFixedAssets + m_StockAndWorkInProgress +
         m_DebtorsPrepaymentsOtherCurrentAssets + m_BankAndBuildingSocietyBalances + m_CashInHand +
         m_OtherAssets;
}

double DTU_Proprietor_Liabilities::GetTotal() const {
  return m_TradeCreditors + m_LoansAndOverdrawnBankAccounts + m_OtherLiabilities;
}

double DTU_Proprietor_RepresentedBy::GetTotal() const {
  return m_BalanceAtStartOfPeriod + m_NetProfitOrLoss + m_CapitalIntroducted - m_Drawings;
}
