// File: qarntash/transfer/proprietor_sections.h
//
// The eleven sections of a sole trader's accounts that a proprietor transfer unit
// (proprietor_unit.h) carries, one class per section. Each is a plain value holder: amounts in
// pounds (`double`), dates as day numbers, flags as `bool`, enumerations as 32-bit integers whose
// values the host programs choose and the unit keeps unchanged.
//
// Each section's fields are listed once below, in the order in which they lie in the record
// (see field_list.h for how a list becomes members, getters and setters): FIELD(double, Repairs)
// means `double GetRepairs() const` and `void SetRepairs(double)`.
//
// A new section holds 0.0 in every amount, false in every flag and 0 in every enumeration and
// count. Sections copy member by member. Totals are worked out on each call from the current
// amounts; nothing is cached.
//
// Layout: every section is byte-packed, the table of virtual functions (one pointer) first, then
// its fields in list order without gaps (8 bytes an amount, 4 an enumeration, count or date,
// 1 a flag); the size assertions after each class pin that.
//
// Usage:
//   DTU_Proprietor_Assets assets;
//   assets.SetCashInHand(250.0);
//   assets.SetBankAndBuildingSocietyBalances(1000.0);
//   assets.GetTotal();                              // 1250.0
#pragma once

#include <cstdint>

#include "platform/types.h"
#include "qarntash/export.h"
#include "qarntash/transfer/dtu.h"
#include "qarntash/transfer/field_list.h"

#define QARNTASH_PROPRIETOR_INCOME_FIELDS(FIELD, NAMED_FIELD) \
  FIELD(double, BusinessIncome)                               \
  FIELD(double, OtherIncomeOrProfits)                         \
  FIELD(double, SEISS)

#define QARNTASH_PROPRIETOR_EXPENSES_FIELDS(FIELD, NAMED_FIELD) \
  FIELD(double, CostOfSales)                                    \
  FIELD(double, ConstructionIndustrySubcontractorCosts)         \
  FIELD(double, OtherDirectCosts)                               \
  FIELD(double, EmployeeCosts)                                  \
  FIELD(double, PremisesCosts)                                  \
  FIELD(double, Repairs)                                        \
  FIELD(double, GeneralAdmin)                                   \
  FIELD(double, Motor)                                          \
  FIELD(double, TravelAndSubsistance)                           \
  FIELD(double, AdvertisingPromotionalAndEntertainment)         \
  FIELD(double, BusinessEntertainmentCosts)                     \
  FIELD(double, LegalAndProfessional)                           \
  FIELD(double, BadDebts)                                       \
  FIELD(double, Interest)                                       \
  FIELD(double, OtherFinanceCharges)                            \
  FIELD(double, DepreciationAndLossOnSale)                      \
  FIELD(double, OtherExpenses)

#define QARNTASH_PROPRIETOR_CAPITAL_ALLOWANCES_FIELDS(FIELD, NAMED_FIELD) \
  FIELD(double, Cars)                                                     \
  FIELD(double, BusinessPlantAndMachinery)                                \
  FIELD(double, AgriculturalOrIndustrialBuildingsAllowance)               \
  FIELD(double, AnnualAllowancesAt25pCent)                                \
  FIELD(double, FirstYearAllowances40And50pCent)                          \
  FIELD(double, AnnualAllowancesForExpensiveCars)                         \
  FIELD(double, AgriculturalOrIndustrialBuildingsAllowancePost2007)       \
  FIELD(double, Enhanced100pCentAndOtherCAs)                              \
  FIELD(double, AllowancesOnSale)                                         \
  FIELD(double, AnnualInvestmentAllowance)                                \
  FIELD(double, WrittenOffSmallPoolsValue)                                \
  FIELD(double, AnnualAllowancesAt10Percent)                              \
  FIELD(double, AnnualAllowancesAt20Percent)                              \
  FIELD(double, StructuresAndBuildingsAllowance)                          \
  FIELD(double, ElectricChargePointAllowance)                             \
  FIELD(bool, IncludesEnhancedCapitalAllowancesForEnvFriendlyExpenditure)

#define QARNTASH_PROPRIETOR_BALANCING_CHARGES_FIELDS(FIELD, NAMED_FIELD) \
  FIELD(double, Cars)                                                    \
  FIELD(double, BusinessPlantAndMachinery)                               \
  FIELD(double, AgriculturalOrIndustrialBuildingsAllowance)              \
  FIELD(double, Equipment)                                               \
  FIELD(double, ZeroEmissionGoodsVehicles)                               \
  FIELD(double, ElectricChargePointAllowance)                            \
  FIELD(double, Other)

// The host programs read the bank balances as GetBankAndbuildingSocietyBalances (lower-case b).
#define QARNTASH_PROPRIETOR_ASSETS_FIELDS(FIELD, NAMED_FIELD)                            \
  FIELD(double, PlantMachineryAndMotorVehicles)                                          \
  FIELD(double, OtherFixedAssets)                                                        \
  FIELD(double, StockAndWorkInProgress)                                                  \
  FIELD(double, DebtorsPrepaymentsOtherCurrentAssets)                                    \
  NAMED_FIELD(double, BankAndBuildingSocietyBalances, GetBankAndbuildingSocietyBalances, \
              SetBankAndBuildingSocietyBalances)                                         \
  FIELD(double, CashInHand)                                                              \
  FIELD(double, OtherAssets)

#define QARNTASH_PROPRIETOR_LIABILITIES_FIELDS(FIELD, NAMED_FIELD) \
  FIELD(double, TradeCreditors)                                    \
  FIELD(double, LoansAndOverdrawnBankAccounts)                     \
  FIELD(double, OtherLiabilities)

#define QARNTASH_PROPRIETOR_REPRESENTED_BY_FIELDS(FIELD, NAMED_FIELD) \
  FIELD(double, BalanceAtStartOfPeriod)                               \
  FIELD(double, NetProfitOrLoss)                                      \
  FIELD(double, CapitalIntroducted)                                   \
  FIELD(double, Drawings)

#define QARNTASH_PROPRIETOR_TAX_ADJUSTMENTS_FIELDS(FIELD, NAMED_FIELD) \
  FIELD(double, AdjustmentsThatIncreaseProfits)                        \
  FIELD(double, DeductionsFromNetProfit)

#define QARNTASH_PROPRIETOR_TAXABLE_FIGURE_ADJUSTMENTS_FIELDS(FIELD, NAMED_FIELD) \
  FIELD(double, CashBasisAdjustments)

// Eleven leading fields, then 46 amounts: four of rent and its tax, the seventeen property
// expenses, four allowance expenses, four capital items, and the private-use share of each of the
// seventeen property expenses (PrvUs...). The host programs read the income type as GetincomeType.
#define QARNTASH_PROPRIETOR_LAND_AND_PROPERTY_FIELDS(FIELD, NAMED_FIELD)                            \
  NAMED_FIELD(DTU_Proprietor_LandAndProperty::IncomeType, IncomeType, GetincomeType, SetIncomeType) \
  FIELD(DTU_Proprietor_LandAndProperty::UnfurnishedLetSubType, UnfurnishedLetSubType)               \
  FIELD(bool, ClaimEnergySavingAllowance)                                                           \
  FIELD(bool, ClaimWearAndTearAllowance)                                                            \
  FIELD(bool, SomeoneElseRxdRentalIncomeInBldg)                                                     \
  FIELD(bool, LetJointly)                                                                           \
  FIELD(bool, IncomeHasCeased)                                                                      \
  FIELD(unsigned int, NumProps) /* number of properties */                                          \
  FIELD(unsigned int, TermOfLease)                                                                  \
  FIELD(long, AcquiredDate) /* day number */                                                        \
  FIELD(long, DisposedDate) /* day number */                                                        \
  FIELD(double, Rent)                                                                               \
  FIELD(double, PrivateUsage)                                                                       \
  FIELD(double, TaxOnIncome)                                                                        \
  FIELD(double, ReversePremiums)                                                                    \
  FIELD(double, UnspecifiedExp)                                                                     \
  FIELD(double, CouncilTaxExp)                                                                      \
  FIELD(double, ElectricityExp)                                                                     \
  FIELD(double, GroundRentsExp)                                                                     \
  FIELD(double, LettingChargesExp)                                                                  \
  FIELD(double, MaintenanceExp)                                                                     \
  FIELD(double, RepairsExp)                                                                         \
  FIELD(double, ManagementExp)                                                                      \
  FIELD(double, InsuranceExp)                                                                       \
  FIELD(double, FurnitureRenewalExp)                                                                \
  FIELD(double, RedecorationExp)                                                                    \
  FIELD(double, LegalExp)                                                                           \
  FIELD(double, AccountancyExp)                                                                     \
  FIELD(double, GardenUpkeepExp)                                                                    \
  FIELD(double, StaffWagesExp)                                                                      \
  FIELD(double, LoanInterestExp)                                                                    \
  FIELD(double, FinanceChargesExp)                                                                  \
  FIELD(double, EnergySavingAllowanceExp)                                                           \
  FIELD(double, ZeroEmissionGoodsVehicleExp)                                                        \
  FIELD(double, StructuresAndBuildingsAllowanceExp)                                                 \
  FIELD(double, ElectricChargePointAllowanceExp)                                                    \
  FIELD(double, BalancingCharges)                                                                   \
  FIELD(double, AnnualInvestmentAllowance)                                                          \
  FIELD(double, BusinessPremisesRenovationAllowance)                                                \
  FIELD(double, OtherCapitalAllowances)                                                             \
  FIELD(double, PrvUsUnspecifiedExp)                                                                \
  FIELD(double, PrvUsCouncilTaxExp)                                                                 \
  FIELD(double, PrvUsElectricityExp)                                                                \
  FIELD(double, PrvUsGroundRentsExp)                                                                \
  FIELD(double, PrvUsLettingChargesExp)                                                             \
  FIELD(double, PrvUsMaintenanceExp)                                                                \
  FIELD(double, PrvUsRepairsExp)                                                                    \
  FIELD(double, PrvUsManagementExp)                                                                 \
  FIELD(double, PrvUsInsuranceExp)                                                                  \
  FIELD(double, PrvUsFurnitureRenewalExp)                                                           \
  FIELD(double, PrvUsRedecorationExp)                                                               \
  FIELD(double, PrvUsLegalExp)                                                                      \
  FIELD(double, PrvUsAccountancyExp)                                                                \
  FIELD(double, PrvUsGardenUpkeepExp)                                                               \
  FIELD(double, PrvUsStaffWagesExp)                                                                 \
  FIELD(double, PrvUsLoanInterestExp)                                                               \
  FIELD(double, PrvUsFinanceChargesExp)

// What every section but the expenses declares: a new section is all zero, and copies (by
// construction or assignment) go member by member.
#define QARNTASH_SECTION_SPECIAL_MEMBERS_(Section) \
  Section() = default;                             \
  Section(const Section&) = default;               \
  Section& operator=(const Section&) = default;    \
  virtual ~Section();

// The mm_buffer form of an expense, as the report printer takes money: GetCostOfSalesMB().
#define QARNTASH_MONEY_BUFFER_GETTER_(type, name) \
  mm_buffer Get##name##MB() const { return mm_buffer{m_##name, 0}; }

#pragma pack(push, 1)

class QARNTASH_API DTU_Proprietor_Income {
 public:
  QARNTASH_SECTION_SPECIAL_MEMBERS_(DTU_Proprietor_Income)

  QARNTASH_DECLARE_ACCESSORS(QARNTASH_PROPRIETOR_INCOME_FIELDS)

 private:
  QARNTASH_DECLARE_MEMBERS(QARNTASH_PROPRIETOR_INCOME_FIELDS)
};

// Business expenses (type 1) or the disallowable part of them (type 2). The type is fixed when the
// section is built, so a section can be copied into a new one but not assigned over.
class QARNTASH_API DTU_Proprietor_Expenses {
 public:
  // Values are the host programs'; only these two are used by the unit.
  enum ExpenseType : std::int32_t { StandardExpenses = 1, DisallowableExpenses = 2 };

  explicit DTU_Proprietor_Expenses(ExpenseType type);
  DTU_Proprietor_Expenses(const DTU_Proprietor_Expenses&) = default;
  DTU_Proprietor_Expenses& operator=(const DTU_Proprietor_Expenses&) = delete;
  virtual ~DTU_Proprietor_Expenses();

  QARNTASH_DECLARE_ACCESSORS(QARNTASH_PROPRIETOR_EXPENSES_FIELDS)
  QARNTASH_PROPRIETOR_EXPENSES_FIELDS(QARNTASH_MONEY_BUFFER_GETTER_, )

  ExpenseType GetType() const { return m_Type; }

 private:
  QARNTASH_DECLARE_MEMBERS(QARNTASH_PROPRIETOR_EXPENSES_FIELDS)
  ExpenseType m_Type;
};

class QARNTASH_API DTU_Proprietor_CapitalAllowances {
 public:
  QARNTASH_SECTION_SPECIAL_MEMBERS_(DTU_Proprietor_CapitalAllowances)

  QARNTASH_DECLARE_ACCESSORS(QARNTASH_PROPRIETOR_CAPITAL_ALLOWANCES_FIELDS)

  // Cars + BusinessPlantAndMachinery + AgriculturalOrIndustrialBuildingsAllowance only.
  double GetTotal() const;

 private:
  QARNTASH_DECLARE_MEMBERS(QARNTASH_PROPRIETOR_CAPITAL_ALLOWANCES_FIELDS)
};

class QARNTASH_API DTU_Proprietor_BalancingCharges {
 public:
  QARNTASH_SECTION_SPECIAL_MEMBERS_(DTU_Proprietor_BalancingCharges)

  QARNTASH_DECLARE_ACCESSORS(QARNTASH_PROPRIETOR_BALANCING_CHARGES_FIELDS)

  // BusinessPlantAndMachinery + AgriculturalOrIndustrialBuildingsAllowance + Other + Equipment +
  // ElectricChargePointAllowance; Cars and ZeroEmissionGoodsVehicles are not in it.
  double GetTotal() const;

 private:
  QARNTASH_DECLARE_MEMBERS(QARNTASH_PROPRIETOR_BALANCING_CHARGES_FIELDS)
};

class QARNTASH_API DTU_Proprietor_Assets {
 public:
  QARNTASH_SECTION_SPECIAL_MEMBERS_(DTU_Proprietor_Assets)

  QARNTASH_DECLARE_ACCESSORS(QARNTASH_PROPRIETOR_ASSETS_FIELDS)

  // All seven assets.
  double GetTotal() const;

 private:
  QARNTASH_DECLARE_MEMBERS(QARNTASH_PROPRIETOR_ASSETS_FIELDS)
};

class QARNTASH_API DTU_Proprietor_Liabilities {
 public:
  QARNTASH_SECTION_SPECIAL_MEMBERS_(DTU_Proprietor_Liabilities)

  QARNTASH_DECLARE_ACCESSORS(QARNTASH_PROPRIETOR_LIABILITIES_FIELDS)

  // All three liabilities.
  double GetTotal() const;

 private:
  QARNTASH_DECLARE_MEMBERS(QARNTASH_PROPRIETOR_LIABILITIES_FIELDS)
};

// The capital account: what the net assets are represented by.
class QARNTASH_API DTU_Proprietor_RepresentedBy {
 public:
  QARNTASH_SECTION_SPECIAL_MEMBERS_(DTU_Proprietor_RepresentedBy)

  QARNTASH_DECLARE_ACCESSORS(QARNTASH_PROPRIETOR_REPRESENTED_BY_FIELDS)

  // The balance at the end of the period: opening balance + profit + capital introduced - drawings.
  double GetTotal() const;

 private:
  QARNTASH_DECLARE_MEMBERS(QARNTASH_PROPRIETOR_REPRESENTED_BY_FIELDS)
};

class QARNTASH_API DTU_Proprietor_TaxAdjustments {
 public:
  QARNTASH_SECTION_SPECIAL_MEMBERS_(DTU_Proprietor_TaxAdjustments)

  QARNTASH_DECLARE_ACCESSORS(QARNTASH_PROPRIETOR_TAX_ADJUSTMENTS_FIELDS)

 private:
  QARNTASH_DECLARE_MEMBERS(QARNTASH_PROPRIETOR_TAX_ADJUSTMENTS_FIELDS)
};

class QARNTASH_API DTU_Proprietor_AdjustmentsToArriveAtTaxableFigure {
 public:
  QARNTASH_SECTION_SPECIAL_MEMBERS_(DTU_Proprietor_AdjustmentsToArriveAtTaxableFigure)

  QARNTASH_DECLARE_ACCESSORS(QARNTASH_PROPRIETOR_TAXABLE_FIGURE_ADJUSTMENTS_FIELDS)

 private:
  QARNTASH_DECLARE_MEMBERS(QARNTASH_PROPRIETOR_TAXABLE_FIGURE_ADJUSTMENTS_FIELDS)
};

class QARNTASH_API DTU_Proprietor_LandAndProperty {
 public:
  // Values are the host programs'; the section keeps whatever it is given.
  enum IncomeType : std::int32_t {};
  enum UnfurnishedLetSubType : std::int32_t {};

  QARNTASH_SECTION_SPECIAL_MEMBERS_(DTU_Proprietor_LandAndProperty)

  QARNTASH_DECLARE_ACCESSORS(QARNTASH_PROPRIETOR_LAND_AND_PROPERTY_FIELDS)

 private:
  QARNTASH_DECLARE_MEMBERS(QARNTASH_PROPRIETOR_LAND_AND_PROPERTY_FIELDS)
};

#pragma pack(pop)

#undef QARNTASH_MONEY_BUFFER_GETTER_
#undef QARNTASH_SECTION_SPECIAL_MEMBERS_

static_assert(sizeof(DTU_Proprietor_Income) == kTransferRecordVtableSize + 3 * 8, "packed");
static_assert(sizeof(DTU_Proprietor_Expenses) == kTransferRecordVtableSize + 17 * 8 + 4, "packed");
static_assert(sizeof(DTU_Proprietor_CapitalAllowances) == kTransferRecordVtableSize + 15 * 8 + 1, "packed");
static_assert(sizeof(DTU_Proprietor_BalancingCharges) == kTransferRecordVtableSize + 7 * 8, "packed");
static_assert(sizeof(DTU_Proprietor_Assets) == kTransferRecordVtableSize + 7 * 8, "packed");
static_assert(sizeof(DTU_Proprietor_Liabilities) == kTransferRecordVtableSize + 3 * 8, "packed");
static_assert(sizeof(DTU_Proprietor_RepresentedBy) == kTransferRecordVtableSize + 4 * 8, "packed");
static_assert(sizeof(DTU_Proprietor_TaxAdjustments) == kTransferRecordVtableSize + 2 * 8, "packed");
static_assert(sizeof(DTU_Proprietor_AdjustmentsToArriveAtTaxableFigure) == kTransferRecordVtableSize + 8,
              "packed");
// Two enumerations, five flags, two counts, two dates, then 46 amounts.
static_assert(sizeof(DTU_Proprietor_LandAndProperty) ==
                  kTransferRecordVtableSize + 2 * 4 + 5 * 1 + 2 * 4 + 2 * 4 + 46 * 8,
              "packed");
