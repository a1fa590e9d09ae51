// The alternative-amount path of the car benefit (from 2017-18): a car or its fuel provided
// under an optional remuneration arrangement is taxed on the larger of the salary given up and
// the cash equivalent (ITEPA 2003 as amended by FA 2017). The cash equivalent compared is the modified
// one: on the price before capital contributions and before payments for private use, which are
// taken off afterwards.
#include <cstring>

#include "car_benefit_figures.h"
#include "car_benefit_internal.h"
#include "qarntash/tax_rules/car_benefit.h"

using namespace car_benefit_internal;

namespace {
double at_least_zero(double amount) { return amount > 0.0 ? amount : 0.0; }
}  // namespace

double CarBenefits::AlternativeAmountCalc() {
  std::memset(&m_sums, 0, sizeof m_sums);
  m_figures.alternativePath = true;
  m_figures.daysInYear = m_daysInYear;

  const long extraDays = m_car->extraDaysUnavailable > 0 ? m_car->extraDaysUnavailable : 0;
  const bool fuelProvided = is_yes(m_car->fuelProvided);
  const long carDays = GetCarDaysUnavailable() + extraDays;
  const long fuelDays = GetFuelDaysUnavailable(fuelProvided, is_yes(m_car->fuelContinues)) + extraDays;
  m_sums.carDaysUnavailable = static_cast<std::int32_t>(carDays);

  WorkOutPrice(false);
  m_sums.percentage = AppropriatePercentage(true);

  const double fullCashEquivalent = ApplyCarTaxRate(m_sums.price);
  m_sums.unavailableReductionWhole = round_pounds(carDays * fullCashEquivalent / m_daysInYear);
  const double cashEquivalent = fullCashEquivalent - m_sums.unavailableReductionWhole;
  // The amounts are copied out of the packed record before they are compared and chosen.
  const double carAmount = m_car->carAlternativeAmount;
  const double fuelAmount = m_car->fuelAlternativeAmount;
  const double compared = carAmount > cashEquivalent ? carAmount : cashEquivalent;

  if (fuelProvided) {
    const double fullFuel = ApplyCarTaxRate(m_limits->fuelMultiplier);
    m_sums.fuelDaysUnavailable = static_cast<std::int32_t>(fuelDays);
    m_sums.fuelUnavailableReduction = round_pounds(fuelDays * fullFuel / m_daysInYear);
    const double fuelCashEquivalent = round_pounds(fullFuel - m_sums.fuelUnavailableReduction);
    m_sums.fuelBenefit = fuelCashEquivalent > fuelAmount ? fuelCashEquivalent : fuelAmount;
    m_figures.fuelProvided = true;
    m_figures.fuelByMultiplier = true;
    m_figures.fuelDays = fuelDays;
    m_figures.fuelScale = fullFuel;
    m_figures.fuelFull = fullFuel;
    m_figures.fuelCashEquivalent = fuelCashEquivalent;
    m_figures.fuelAmount = fuelAmount;
    m_figures.fuelAmountTaxed = !(fuelCashEquivalent > fuelAmount);
  }
  m_figures.fullCashEquivalent = fullCashEquivalent;
  m_figures.cashEquivalent = cashEquivalent;
  m_figures.carAmount = carAmount;

  m_sums.fullBenefit = round_pence(m_sums.netPrice * m_sums.percentage / 100.0);
  m_sums.unavailableReduction = carDays / m_daysInYear * m_sums.fullBenefit;

  if (cashEquivalent > carAmount) {
    m_sums.carBenefit = m_sums.fullBenefit - m_sums.unavailableReduction - m_car->privateUsePayments;
  } else {
    m_figures.carAmountTaxed = true;
    m_figures.contributionsAtPercentage = ApplyCarTaxRate(m_sums.capitalContribution);
    m_sums.carBenefit = compared - m_figures.contributionsAtPercentage - m_car->privateUsePayments;
  }
  m_figures.carBeforeNil = m_sums.carBenefit;

  m_sums.unavailableReduction = at_least_zero(m_sums.unavailableReduction);
  m_sums.unavailableReductionWhole = at_least_zero(m_sums.unavailableReductionWhole);
  m_sums.carBenefit = at_least_zero(m_sums.carBenefit);
  m_sums.fuelBenefit = at_least_zero(m_sums.fuelBenefit);
  return m_sums.carBenefit;
}
