// File: qarntash/transfer/proprietor_unit.h
//
// DTU_Proprietor: a sole trader's figures for one accounting period, carried from a source client
// to a destination client for a tax year (see dtu.h). It holds the eleven sections of the accounts
// (proprietor_sections.h) by value; the host program fills them through the section getters,
// copies the unit, reads it back, and can render it as text for a log or a check.
//
// The identifying values (references, tax year, account period, period data type, update period,
// employment number) are fixed when the unit is built; only the business sub type can change.
// A unit copies member by member into a new, independent unit and cannot be assigned over.
//
// Layout: byte-packed, after the DTU fields (dtu.h):
//   size
//    4   account period          32-bit
//    4   business sub type       32-bit, 0 when built
//    4   period data type        32-bit
//    4   update period id        32-bit
//    4   employment number       32-bit
//        then the sections in the order of the section getters below.
//
// Usage:
//   DTU_Proprietor unit(source, destination, 17, 2022, 1, periodType, 3);
//   unit.GetIncome().SetBusinessIncome(52000.0);
//   unit.GetExpenses().SetMotor(1200.0);
//   std::string text = unit.GetStringRepresentation(periodStart, periodEnd);
#pragma once

#include <cstdint>
#include <string>

#include "platform/dates.h"
#include "platform/types.h"
#include "qarntash/export.h"
#include "qarntash/transfer/dtu.h"
#include "qarntash/transfer/proprietor_sections.h"

#pragma pack(push, 1)
class QARNTASH_API DTU_Proprietor : public DTU {
 public:
  // Values are the host programs'; the unit keeps whatever it is given.
  enum BusinessSubType : std::int32_t {};
  enum DTU_PeriodDataType : std::int32_t {};

  // Note the order: account period before tax year, employment number before the period data
  // type. The expenses section is built as type 1, the disallowable expenses as type 2.
  DTU_Proprietor(const PMCO_INT_REF& source, const PMCO_INT_REF& destination, long accountPeriod,
                 long taxYear, long employmentNo, DTU_PeriodDataType periodDataType, long updatePeriodID);
  DTU_Proprietor(const DTU_Proprietor&) = default;
  DTU_Proprietor& operator=(const DTU_Proprietor&) = delete;
  ~DTU_Proprietor() override;

  // The accounting period's identifier.
  long getAccountPeriod() const { return m_AccountPeriod; }
  BusinessSubType GetBusinessSubType() const { return m_BusinessSubType; }
  void SetBusinessSubType(BusinessSubType subType) { m_BusinessSubType = subType; }
  DTU_PeriodDataType GetPeriodDataType() const { return m_PeriodDataType; }
  long GetUpdatePeriodID() const { return m_UpdatePeriodID; }
  long GetEmploymentNo() const { return m_EmploymentNo; }

  // The sections, as held inside the unit: the non-const forms change the unit itself.
  const DTU_Proprietor_Income& GetIncome() const { return m_Income; }
  DTU_Proprietor_Income& GetIncome() { return m_Income; }
  const DTU_Proprietor_Expenses& GetExpenses() const { return m_Expenses; }
  DTU_Proprietor_Expenses& GetExpenses() { return m_Expenses; }
  const DTU_Proprietor_Expenses& GetDisallowableExpenses() const { return m_DisallowableExpenses; }
  DTU_Proprietor_Expenses& GetDisallowableExpenses() { return m_DisallowableExpenses; }
  const DTU_Proprietor_CapitalAllowances& GetCapitalAllowances() const { return m_CapitalAllowances; }
  DTU_Proprietor_CapitalAllowances& GetCapitalAllowances() { return m_CapitalAllowances; }
  const DTU_Proprietor_BalancingCharges& GetBalancingCharges() const { return m_BalancingCharges; }
  DTU_Proprietor_BalancingCharges& GetBalancingCharges() { return m_BalancingCharges; }
  const DTU_Proprietor_Assets& GetAssets() const { return m_Assets; }
  DTU_Proprietor_Assets& GetAssets() { return m_Assets; }
  const DTU_Proprietor_Liabilities& GetLiabilities() const { return m_Liabilities; }
  DTU_Proprietor_Liabilities& GetLiabilities() { return m_Liabilities; }
  const DTU_Proprietor_RepresentedBy& GetRepresentedBy() const { return m_RepresentedBy; }
  DTU_Proprietor_RepresentedBy& GetRepresentedBy() { return m_RepresentedBy; }
  const DTU_Proprietor_TaxAdjustments& GetTaxAdjustments() const { return m_TaxAdjustments; }
  DTU_Proprietor_TaxAdjustments& GetTaxAdjustments() { return m_TaxAdjustments; }
  const DTU_Proprietor_AdjustmentsToArriveAtTaxableFigure& GetAdjustmentsToArriveAtTaxableFigure() const {
    return m_AdjustmentsToArriveAtTaxableFigure;
  }
  DTU_Proprietor_AdjustmentsToArriveAtTaxableFigure& GetAdjustmentsToArriveAtTaxableFigure() {
    return m_AdjustmentsToArriveAtTaxableFigure;
  }
  const DTU_Proprietor_LandAndProperty& GetLandAndProperty() const { return m_LandAndProperty; }
  DTU_Proprietor_LandAndProperty& GetLandAndProperty() { return m_LandAndProperty; }

  // The unit as text, one "\n"-ended line each: two empty lines; "Account Period ID: ",
  // "Account Period Sub Type: "; a rule of 59 hyphens; "Update Period Type: ", "Update Period
  // Start: " and "Update Period End: " (the dates as fpw_DATE_VALUE::string_value gives them);
  // the rule again; an empty line; the three income amounts; an empty line; the seventeen
  // expenses (type 1 only) by label in alphabetical order; "Type: " and the expenses' type; two
  // empty lines. Amounts are written as a stream writes a double by default (six significant
  // digits: a million is "1e+06"). The references, tax year, update period, employment number
  // and the other sections are not shown.
  std::string GetStringRepresentation(const fpw_DATE_VALUE& periodStart,
                                      const fpw_DATE_VALUE& periodEnd) const;

 private:
  std::int32_t m_AccountPeriod;
  BusinessSubType m_BusinessSubType;
  DTU_PeriodDataType m_PeriodDataType;
  std::int32_t m_UpdatePeriodID;
  std::int32_t m_EmploymentNo;
  DTU_Proprietor_Income m_Income;
  DTU_Proprietor_Expenses m_Expenses;
  DTU_Proprietor_Expenses m_DisallowableExpenses;
  DTU_Proprietor_CapitalAllowances m_CapitalAllowances;
  DTU_Proprietor_BalancingCharges m_BalancingCharges;
  DTU_Proprietor_Assets m_Assets;
  DTU_Proprietor_Liabilities m_Liabilities;
  DTU_Proprietor_RepresentedBy m_RepresentedBy;
  DTU_Proprietor_TaxAdjustments m_TaxAdjustments;
  DTU_Proprietor_AdjustmentsToArriveAtTaxableFigure m_AdjustmentsToArriveAtTaxableFigure;
  DTU_Proprietor_LandAndProperty m_LandAndProperty;
};
#pragma pack(pop)

static_assert(sizeof(DTU_Proprietor) ==
                  sizeof(DTU) + 5 * 4 + sizeof(DTU_Proprietor_Income) + 2 * sizeof(DTU_Proprietor_Expenses) +
                      sizeof(DTU_Proprietor_CapitalAllowances) + sizeof(DTU_Proprietor_BalancingCharges) +
                      sizeof(DTU_Proprietor_Assets) + sizeof(DTU_Proprietor_Liabilities) +
                      sizeof(DTU_Proprietor_RepresentedBy) + sizeof(DTU_Proprietor_TaxAdjustments) +
                      sizeof(DTU_Proprietor_AdjustmentsToArriveAtTaxableFigure) +
                      sizeof(DTU_Proprietor_LandAndProperty),
              "DTU_Proprietor is packed: its fields and sections follow one another without gaps");
