// File: qarntash/transfer/partner_unit.h
//
// DTU_Partner: a partner's share of a partnership's figures, carried from a source client to a
// destination client for one tax year (see dtu.h). It holds thirteen amounts for the partner as a
// whole and a list of account periods (DTU_Partner_AP), each with its own figures. Amounts are in
// pounds.
//
// Ownership of the periods:
//   - createAccountPeriod makes a new, empty period that belongs to the caller;
//   - addPeriodData hands a period to the unit, which appends it and from then on owns it: the
//     unit deletes it when the unit itself is destroyed. Periods are never removed or reordered.
//     When the unit cannot take the period (it has no list, see below, or already owns that
//     very period) the period stays where it was;
//   - getPeriod copies a period out by position; the copy is the caller's and changing it leaves
//     the unit unchanged. There is no count: read 0, 1, 2, ... until getPeriod returns false.
//
// Copying a unit copies its amounts and duplicates every period, so that each unit owns and
// deletes only its own periods; later changes to one unit never show in the other. A unit cannot
// be assigned over (its references and tax year are fixed when it is built).
//
// Failures: the list is made when the unit is built. If memory runs out then (or while a copy
// duplicates its periods) the unit has no list, and each list operation reports "Refresh failed"
// to the platform's _exgen_error (flag 0, source file "DTU_Partner") with a code:
//   0  addPeriodData with no list, a null period or one the unit already owns: nothing is added;
//   1  getPeriod with no list: false;
//   2  createAccountPeriod when memory runs out: a null pointer.
// An index past the end is not an error: getPeriod gives false without a report.
//
// Layout: byte-packed. A period: the table of virtual functions (one pointer), the 17 amounts,
// then three 32-bit fields (account period, cash basis flag, disguised remuneration flag). A unit:
// the DTU fields, the 13 amounts, then one pointer to its list.
//
// Usage:
//   DTU_Partner unit(source, destination, 2022);
//   DTU_Partner_AP* period = unit.createAccountPeriod(17);
//   period->setProfit(40000.0);
//   unit.addPeriodData(period);                   // the unit owns it now
//   DTU_Partner_AP copy;
//   for (unsigned long i = 0; unit.getPeriod(i, copy); ++i) { ... }
#pragma once

#include <cstdint>

#include "platform/types.h"
#include "qarntash/export.h"
#include "qarntash/transfer/dtu.h"
#include "qarntash/transfer/field_list.h"

#define QARNTASH_PARTNER_PERIOD_FIELDS(FIELD, NAMED_FIELD) \
  FIELD(double, Profit)                                    \
  FIELD(double, Loss)                                      \
  FIELD(double, BusinessPremisesRenovationAllowance)       \
  FIELD(double, UntaxedUKSavings)                          \
  FIELD(double, UntaxedForeignSavings)                     \
  FIELD(double, UntaxedForeignDividends)                   \
  FIELD(double, UntaxedUKOther)                            \
  FIELD(double, UntaxedUKLoss)                             \
  FIELD(double, UntaxedForeignOther)                       \
  FIELD(double, UntaxedOffshore)                           \
  FIELD(double, Property)                                  \
  FIELD(double, HolidayLetLoss)                            \
  FIELD(double, HolidayLetProfitUKEEA)                     \
  FIELD(double, ForeignLetLoss)                            \
  FIELD(double, PropertyChargesUkExcessFinanceCost)        \
  FIELD(double, PropertyChargesForeignExcessFinanceCost)   \
  FIELD(double, CoronaSupportPaymentsIncorrectlyClaimed)

// Flags held as int: 0 is no, anything else yes.
#define QARNTASH_PARTNER_PERIOD_FLAGS(FIELD, NAMED_FIELD) \
  FIELD(int, IsCashBasisUsed)                             \
  FIELD(int, IncludeDisguisedRemuneration)

#define QARNTASH_PARTNER_FIELDS(FIELD, NAMED_FIELD) \
  FIELD(double, TaxedSavings)                       \
  FIELD(double, TaxedOther)                         \
  FIELD(double, SC60)                               \
  FIELD(double, CashBasis)                          \
  FIELD(double, UKIncomeTax)                        \
  FIELD(double, UKTaxCredits)                       \
  FIELD(double, UKNotionalTax)                      \
  FIELD(double, GrossInterest)                      \
  FIELD(double, TaxDeducted)                        \
  FIELD(double, PartnershipCharges)                 \
  FIELD(double, IncomeTaxAssessed)                  \
  FIELD(double, Class4NIC)                          \
  FIELD(double, UITF40Payment)

#pragma pack(push, 1)

// One account period of the partner. The account period is set only when the period is built.
class QARNTASH_API DTU_Partner_AP {
 public:
  DTU_Partner_AP();
  explicit DTU_Partner_AP(long accountPeriod);
  DTU_Partner_AP(const DTU_Partner_AP& other);
  // Copies every amount, the account period and both flags. Takes a non-const reference, as the
  // host programs declare it.
  DTU_Partner_AP& operator=(DTU_Partner_AP& other);
  virtual ~DTU_Partner_AP();

  QARNTASH_DECLARE_LOWER_CASE_ACCESSORS(QARNTASH_PARTNER_PERIOD_FIELDS)
  long getAccountPeriod() const { return m_AccountPeriod; }
  QARNTASH_DECLARE_LOWER_CASE_ACCESSORS(QARNTASH_PARTNER_PERIOD_FLAGS)

 private:
  QARNTASH_DECLARE_MEMBERS(QARNTASH_PARTNER_PERIOD_FIELDS)
  std::int32_t m_AccountPeriod = 0;
  QARNTASH_DECLARE_MEMBERS(QARNTASH_PARTNER_PERIOD_FLAGS)
};

class QARNTASH_API DTU_Partner : public DTU {
 public:
  // All amounts 0.0 and an empty list of periods.
  DTU_Partner(const PMCO_INT_REF& source, const PMCO_INT_REF& destination, long taxYear);
  // Copies the amounts and duplicates the periods (see the top of this file).
  DTU_Partner(const DTU_Partner& other);
  DTU_Partner& operator=(const DTU_Partner&) = delete;
  // Deletes every period the unit owns.
  ~DTU_Partner() override;

  QARNTASH_DECLARE_LOWER_CASE_ACCESSORS(QARNTASH_PARTNER_FIELDS)

  // A new period for `accountPeriod`, every amount 0.0 and both flags 0, not yet in the list: the
  // caller owns it until it hands it to addPeriodData. Null (code 2 reported) when memory runs out.
  DTU_Partner_AP* createAccountPeriod(unsigned long accountPeriod) const;
  // Appends `period`; the unit owns it from then on. Code 0 reported, nothing added, for a null
  // period, a period the unit already owns (it would be deleted twice) or a unit with no list.
  void addPeriodData(DTU_Partner_AP* period);
  // Copies the period at `index` (0-based, in the order added) into `out` and gives true; gives
  // false and leaves `out` unchanged past the end, or (code 1 reported) with no list.
  bool getPeriod(unsigned long index, DTU_Partner_AP& out) const;

 private:
  struct PeriodList;

  QARNTASH_DECLARE_MEMBERS(QARNTASH_PARTNER_FIELDS)
  PeriodList* m_AccountPeriods;  // owned; null when it could not be made
};

#pragma pack(pop)

static_assert(sizeof(int) == 4, "the period flags are 32-bit");
static_assert(sizeof(DTU_Partner_AP) == kTransferRecordVtableSize + 17 * 8 + 3 * 4, "packed");
static_assert(sizeof(DTU_Partner) == sizeof(DTU) + 13 * 8 + sizeof(void*), "packed");
