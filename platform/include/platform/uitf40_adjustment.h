// File: platform/uitf40_adjustment.h
//
// The business objects of a UITF 40 adjustment, as the tax programs' business-objects library
// offers them to the adjustment screens. This is a stand-in: the least of that library that makes
// the screens real and testable. It keeps the figures in memory (a partnership's shared adjustment
// and a sole trader's stored figures live in CTaxBusinessObjectBroker) and computes:
//
//   - instalments: the adjustment is charged in up to six instalments, one per period from the
//     first period of the adjustment. Each of the first five is one sixth of the total adjustment
//     (rounded to the penny), but never more than is still untaxed; the sixth instalment, or the
//     last period when there are fewer, takes whatever is left, so the whole adjustment is taxed
//     by the sixth period. Periods before the first and after the sixth charge nothing and cannot
//     be overridden;
//   - overrides: an overridden period is taxed on its override amount instead of its default, and
//     the instalments that follow are capped by what is then left untaxed; the excess over the
//     default is the override less the default (0 when not overridden);
//   - totals: the payments of all periods, and the amount untaxed at the end of a period (the total
//     adjustment less the amounts taxed up to and including it);
//   - the low-profits check: a sixth of the period's profit is less than the instalment charged;
//   - a company's account period split into CTAPs: the period's instalment is shared between its
//     chargeable CTAPs by their days (equally when no days are given), the last one taking the
//     pennies left by rounding; the period is then taxed on the sum of its CTAPs' amounts.
//
// Figures follow a change (an override, a new total) once Compute() runs; Populate, Reset and the
// setters of the adjustment itself compute at once. Money is pounds (double), tax year N is the
// year ending 5 April N, periods and CTAPs are numbered from 1. An adjustment keeps its working
// figures and the figures last committed: Populate() loads the committed ones, Persist() commits
// the working ones.
//
// Usage:
//   using namespace Velmar::BusinessRules::Taxation::BusinessTax;
//   CUITF40AdjustmentCTax company(figures);      // figures: a UITF40AdjustmentData
//   company.GetPeriod(2)->SetOverridden(true);
//   company.GetPeriod(2)->SetOverrideAmount(2500);
//   company.Compute();
//   double left = company.TotalUntaxedAtEndOfPeriod(2);
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/export.h"
#include "platform/lbw_string.h"
#include "platform/types.h"

namespace Velmar::BusinessRules::Taxation {

// The business objects hand out shared objects through reference-counted pointers.
template <typename T>
using counted_ptr = std::shared_ptr<T>;

namespace BusinessTax {

// The rule that gave a period's amount taxed.
enum UITF40Rule : int {
  UITF40RuleNone = -1,        // nothing is charged in the period
  UITF40RuleOneSixth = 0,     // one sixth of the total adjustment (capped by what is untaxed)
  UITF40RuleBalance = 1,      // whatever is left: the sixth instalment or the last period
  UITF40RuleOverride = 2,     // the user's override
};

// Descriptions of an adjustment's figures: what the business-objects library would read from a
// business's records, and what it commits back.
struct UITF40CTAPData {
  std::string label;
  long taxYear = 0;
  long days = 0;              // length of the CTAP, sharing out its account period's instalment
  bool chargeable = true;     // false: no instalment falls in it (rule UITF40RuleNone)
  bool overridden = false;
  double overrideAmount = 0;
};

struct UITF40PeriodData {
  std::string label;
  long taxYear = 0;
  bool overridden = false;
  double overrideAmount = 0;
  std::vector<UITF40CTAPData> ctaps;  // a company's account period only
};

struct UITF40AdjustmentData {
  double totalAdjustment = 0;
  long firstYearOfAdjustment = 0;     // 2006 or 2007 where the first year is a choice
  double profitForThePeriod = 0;      // the business's profit for the period being computed
  bool periodBeforeStartDate = true;  // a period ends before the one containing 22 June 2005
  std::vector<UITF40PeriodData> periods;
};

class CUITF40Adjustment;

// One period of an adjustment (for a partnership or a sole trader, one tax year). The virtual
// operations keep the order in which the screens call them through the table of virtual functions.
class PLATFORM_API CUITF40AdjustmentPeriod {
 public:
  explicit CUITF40AdjustmentPeriod(const UITF40PeriodData& figures);
  CUITF40AdjustmentPeriod(const CUITF40AdjustmentPeriod&) = default;
  CUITF40AdjustmentPeriod& operator=(const CUITF40AdjustmentPeriod&) = default;

  virtual cLBW_STRING GetText() const;
  virtual long GetTaxYear() const;
  virtual double GetDefaultAmount() const;
  virtual bool IsOverridden() const;
  virtual double GetOverrideAmount() const;
  virtual double GetExcessOverDefault() const;     // override less default; 0 when not overridden
  virtual void SetOverrideAmount(double amount);
  virtual void SetOverridden(bool overridden);
  virtual int GetNumberOfSubPeriods() const;       // 1, or an account period's number of CTAPs
  virtual bool IsOverrideEditable() const;
  virtual bool CanBeOverridden() const;            // false where nothing is charged
  virtual ~CUITF40AdjustmentPeriod();

  // UITF40RuleNone when nothing is charged in the period, UITF40RuleOverride when overridden.
  UITF40Rule GetRuleUsed() const;
  // The override amount when overridden, else the default.
  double GetAmountTaxed() const;
  // The period's figures as they stand, for committing or showing.
  virtual UITF40PeriodData Describe() const;
  // A copy of the same kind, for copying the adjustment that owns it.
  virtual std::unique_ptr<CUITF40AdjustmentPeriod> Copy() const;

 protected:
  friend class CUITF40Adjustment;
  // Sets what Compute worked out for the period; a period that charges nothing loses its override.
  virtual void ApplyInstalment(double defaultAmount, UITF40Rule rule, bool chargeable);
  virtual void ClearOverride();

  UITF40PeriodData m_Figures;
  double m_DefaultAmount = 0;
  UITF40Rule m_Rule = UITF40RuleNone;
  bool m_Chargeable = false;
};

// A part of a company's account period that is a corporation tax accounting period.
class PLATFORM_API CUITF40AdjustmentCTAP : public CUITF40AdjustmentPeriod {
 public:
  explicit CUITF40AdjustmentCTAP(const UITF40CTAPData& figures);
  UITF40CTAPData DescribeCTAP() const;
  long GetDays() const { return m_Days; }
  bool IsChargeable() const { return m_ChargeableCTAP; }

 private:
  friend class CUITF40AdjustmentAccountPeriod;
  long m_Days;
  bool m_ChargeableCTAP;
};

// A company's account period. With two or more CTAPs its figures are its CTAPs': it is overridden
// when one of them is, taxed on their sum, and overriding the period itself changes nothing.
class PLATFORM_API CUITF40AdjustmentAccountPeriod : public CUITF40AdjustmentPeriod {
 public:
  explicit CUITF40AdjustmentAccountPeriod(const UITF40PeriodData& figures);

  bool IsOverridden() const override;
  double GetOverrideAmount() const override;
  void SetOverrideAmount(double amount) override;
  void SetOverridden(bool overridden) override;
  int GetNumberOfSubPeriods() const override;
  bool IsOverrideEditable() const override;

  int GetNumberOfCTAPs() const { return static_cast<int>(m_CTAPs.size()); }
  // CTAP `ctap` (1 to GetNumberOfCTAPs()), or null outside that range.
  CUITF40AdjustmentCTAP* GetCTAP(int ctap);
  const CUITF40AdjustmentCTAP* GetCTAP(int ctap) const;
  UITF40PeriodData Describe() const override;
  std::unique_ptr<CUITF40AdjustmentPeriod> Copy() const override;

 protected:
  void ApplyInstalment(double defaultAmount, UITF40Rule rule, bool chargeable) override;
  void ClearOverride() override;

 private:
  bool SplitIntoCTAPs() const { return m_CTAPs.size() >= 2; }
  std::vector<CUITF40AdjustmentCTAP> m_CTAPs;
};

// An adjustment of any kind. Not copyable as such: each kind says how it is copied.
class PLATFORM_API CUITF40Adjustment {
 public:
  virtual ~CUITF40Adjustment();
  virtual bool Persist();                               // commits the working figures
  virtual CUITF40AdjustmentPeriod* GetPeriod(int period);  // 1 to GetNumberOfPeriods(), else null
  virtual bool Populate();                              // loads the committed figures; false if none
  virtual int GetNumberOfPeriods() const;
  virtual cLBW_STRING GetPeriodHeading() const = 0;
  virtual cLBW_STRING GetTotalPaidLabel() const = 0;
  virtual cLBW_STRING GetFirstYearLabel() const = 0;
  virtual cLBW_STRING GetUntaxedLabel(long taxYear) const = 0;
  virtual bool HasFirstYearChoice() const;
  virtual bool HasCTAPs(int period) const;
  virtual bool UsesReset() const;

  void Compute();
  void Reset();                                         // drops every override
  void SetTotalAdjustment(double amount);
  double GetTotalAdjustment() const { return m_TotalAdjustment; }
  void SetFirstYearOfAdjustment(long taxYear);
  // With a first-year choice, 2006 or 2007 (2007 unless 2006 was chosen); otherwise as stored.
  long GetFirstYearOfAdjustment() const;
  double GetTotalPaymentsForAllPeriods() const;
  // The total less the amounts taxed in periods 1 to `period` (all of it for 0).
  double TotalUntaxedAtEndOfPeriod(long period) const;
  double GetProfitForThePeriod() const { return m_ProfitForThePeriod; }
  // True when a sixth of `profit` is less than the amount charged in `period` (a period that
  // charges nothing, or one that does not exist, never fails the check).
  bool LowProfitsCheckForPeriod(long period, double profit) const;
  // True when `amount` lies between nil and the total adjustment (with the total's sign).
  bool ValidateOverrideAmount(double amount) const;
  bool DoTotalPaymentsExceedTotalAdjustment() const;
  bool PeriodPresentBeforePeriodContainingStartDate() const { return m_PeriodBeforeStartDate; }

  // The working figures as they stand, and the figures last committed.
  UITF40AdjustmentData Describe() const;
  const UITF40AdjustmentData& GetCommittedFigures() const { return m_Committed; }

 protected:
  explicit CUITF40Adjustment(const UITF40AdjustmentData& figures);
  CUITF40Adjustment(const CUITF40Adjustment& other);
  CUITF40Adjustment& operator=(const CUITF40Adjustment& other);

  // Makes the working figures those given (the periods through MakePeriod) and computes.
  void Load(const UITF40AdjustmentData& figures);
  void SetCommittedFigures(const UITF40AdjustmentData& figures) { m_Committed = figures; }
  virtual std::unique_ptr<CUITF40AdjustmentPeriod> MakePeriod(const UITF40PeriodData& figures) const;
  const CUITF40AdjustmentPeriod* PeriodAt(long period) const;

 private:
  long FirstChargedPeriod() const;

  UITF40AdjustmentData m_Committed;
  double m_TotalAdjustment = 0;
  long m_FirstYearOfAdjustment = 0;
  double m_ProfitForThePeriod = 0;
  bool m_PeriodBeforeStartDate = true;
  std::vector<std::unique_ptr<CUITF40AdjustmentPeriod>> m_Periods;
};

// Labels and choices of a trade's adjustment (a partnership or a sole trader): one period per tax
// year; the first year may be 2005-06 or 2006-07 when the business has a period in 2005-06.
class PLATFORM_API CUITF40AdjustmentTradeKind : public CUITF40Adjustment {
 public:
  cLBW_STRING GetPeriodHeading() const override;
  cLBW_STRING GetTotalPaidLabel() const override;
  cLBW_STRING GetFirstYearLabel() const override;
  cLBW_STRING GetUntaxedLabel(long taxYear) const override;
  bool HasFirstYearChoice() const override;
  bool UsesReset() const override;

 protected:
  using CUITF40Adjustment::CUITF40Adjustment;
};

// A partnership's adjustment, shared by its partners through the broker.
class PLATFORM_API CUITF40AdjustmentTrades : public CUITF40AdjustmentTradeKind {
 public:
  explicit CUITF40AdjustmentTrades(const UITF40AdjustmentData& figures);
  // A new copy that the caller owns and deletes; null when no memory is left for it.
  static CUITF40AdjustmentTrades* Clone(const CUITF40AdjustmentTrades& adjustment);
  CUITF40AdjustmentTrades& operator=(const CUITF40AdjustmentTrades& other) = default;

 private:
  CUITF40AdjustmentTrades(const CUITF40AdjustmentTrades& other) = default;
};

// A sole trader's adjustment: Populate reads the figures stored in the broker for the client and
// the business, Persist writes them back there.
class PLATFORM_API CUITF40AdjustmentSoleTrader : public CUITF40AdjustmentTradeKind {
 public:
  CUITF40AdjustmentSoleTrader(const PMCO_INT_REF& client, const PMCO_INT_REF& business,
                              double profitForThePeriod);
  bool Persist() override;
  bool Populate() override;

 private:
  PMCO_INT_REF m_Client;
  PMCO_INT_REF m_Business;
  double m_ProfitGiven;
};

// A company's adjustment: its periods are account periods, each split into up to four CTAPs.
class PLATFORM_API CUITF40AdjustmentCTax : public CUITF40Adjustment {
 public:
  explicit CUITF40AdjustmentCTax(const UITF40AdjustmentData& figures);
  CUITF40AdjustmentCTax(const CUITF40AdjustmentCTax& other) = default;
  CUITF40AdjustmentCTax& operator=(const CUITF40AdjustmentCTax& other) = default;

  cLBW_STRING GetPeriodHeading() const override;
  cLBW_STRING GetTotalPaidLabel() const override;
  cLBW_STRING GetFirstYearLabel() const override;
  cLBW_STRING GetUntaxedLabel(long taxYear) const override;
  bool HasCTAPs(int period) const override;

  // Commits the working figures of the CTAPs of account period `period`; false when there is no
  // such period.
  bool PersistAllCTAPsInPeriod(long period);

 protected:
  std::unique_ptr<CUITF40AdjustmentPeriod> MakePeriod(const UITF40PeriodData& figures) const override;
};

}  // namespace BusinessTax

// Where the business objects come from. The stand-in keeps them in memory, process-wide: the host
// program or a test puts a business's figures in, the screens' callers take them out.
class PLATFORM_API CTaxBusinessObjectBroker {
 public:
  CTaxBusinessObjectBroker() = delete;

  // The partnership's shared adjustment, or null when it has none.
  static counted_ptr<BusinessTax::CUITF40AdjustmentTrades> GetTradesUITF40(const PMCO_INT_REF& partnership);
  // Gives the partnership this shared adjustment (null takes it away).
  static void SetTradesUITF40(const PMCO_INT_REF& partnership,
                              counted_ptr<BusinessTax::CUITF40AdjustmentTrades> adjustment);

  // A sole trader's stored figures: false, and `figures` unchanged, when there are none.
  static bool GetSoleTraderUITF40(const PMCO_INT_REF& client, const PMCO_INT_REF& business,
                                  BusinessTax::UITF40AdjustmentData& figures);
  static void SetSoleTraderUITF40(const PMCO_INT_REF& client, const PMCO_INT_REF& business,
                                  const BusinessTax::UITF40AdjustmentData& figures);

  // Forgets every business's figures.
  static void Clear();
};

}  // namespace Velmar::BusinessRules::Taxation
