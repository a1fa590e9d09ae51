// File: qarntash/tax_rules/car_benefit.h
//
// The company car and car fuel benefit of one car for one tax year.
//
// An employee given a company car is taxed on its cash equivalent: a percentage of the car's
// price (the appropriate percentage, set by the car's CO2 emissions, or by its engine size when it
// has no CO2 figure), reduced for days the car was unavailable and for what the employee paid.
// When the employer also pays for private fuel, a fuel benefit is charged: the same percentage of
// the year's fuel multiplier (from 2003-04), or a fuel scale charge by engine size (before).
// From 2017-18 a car provided under an optional remuneration arrangement is taxed on the larger
// of the cash equivalent and the salary given up (the "alternative amount").
//
// Tax year N runs from 6 April N-1 to 5 April N and is named N. Dates are day numbers, money is
// pounds, rounded only through ttround(x, 2, 2) (pence) and ttround(x, 0, 2) (whole pounds).
//
// Fuel type codes (TLD_ISYI_CAR.fuelType): 1 petrol, 2 diesel, 3 and 5 no reciprocating engine
// (5 is the zero-emission car: it always follows the CO2 rules), 4, 6, 7 and 9 the alternative
// fuels that had discounts before 2011-12 (4 hybrid, 6 gas, 7 converted to gas, 9 E85), 8 the
// "Euro Diesel" (Euro IV diesel; from 2018-19 the diesel that meets the RDE2 standard and pays no
// supplement), 10 recognised from 2018-19. Engine codes: for diesel (2) 3 is up to 1400cc, 1 is
// 1401 to 2000cc and any other over 2000cc; for every other fuel 1 (or less) is up to 1400cc, 2
// is 1401 to 2000cc and any other over 2000cc.
//
// Usage:
//   CAR_SUMS sums;
//   double benefit = CarBenefits::Calc(sums, &car, &limits, co2BandCount, 2022,
//                                      CDateToolKit::getTaxYrStart(2022),
//                                      CDateToolKit::getTaxYrEnd(2022), rangeBandCount);
//   // sums.fuelBenefit, sums.percentage, ... now hold the rest of the working.
#pragma once

#include "qarntash/export.h"
#include "qarntash/tax_rules/car_benefit_records.h"
#include "qarntash/tax_rules/car_benefit_working.h"

struct CarRateTables;      // the year's CO2 and electric range tables, as the rules read them
struct CarBenefitFigures;  // the figures on the way that the working describes

class QARNTASH_API CarBenefits {
 public:
  // Works out the car benefit and the fuel benefit of `car` in `taxYear` for the period
  // periodStart..periodEnd (normally 6 April N-1 and 5 April N), fills `sums` with them and the
  // figures that lead to them, and returns the car benefit (never negative).
  //
  // `limits` holds the year's statutory figures; its CO2 band table has co2BandCount entries and
  // its electric range table rangeBandCount entries (counts outside 0..kMaxCo2Bands and
  // 0..kMaxElectricRangeBands are taken as the nearest bound).
  //
  // When the car asks for its replacement price and that price exceeds the year's threshold, the
  // car record is rewritten: listPrice becomes the replacement price, useReplacementPrice "N"
  // and replacementPrice 0, so that a second call sees the replacement as the list price.
  //
  // Returns 0 and touches nothing when car or limits is null.
  //
  // A figure that cannot be worked out (amounts so large, or not numbers at all, that the price,
  // a benefit or a reduction would be infinite or not a number) is a failure: sums is cleared to
  // zero and the result is kNotComputed, the only negative result. A host bounds the amounts it
  // accepts; no finite input ever gives a NaN or an infinity.
  static double Calc(CAR_SUMS& sums, TLD_ISYI_CAR* car, const TLD_0501_CAR_LIMITS* limits, int co2BandCount,
                     long taxYear, long periodStart, long periodEnd, int rangeBandCount);

  // Calc, and the working that led to its figures (qarntash/tax_rules/car_benefit_working.h).
  // Both come from the one calculation: the result, sums and car are exactly as Calc leaves them.
  // `working` is replaced; with a null car or limits it is left empty and not computed.
  static double CalcWithWorking(CAR_SUMS& sums, TLD_ISYI_CAR* car, const TLD_0501_CAR_LIMITS* limits,
                                int co2BandCount, long taxYear, long periodStart, long periodEnd, int rangeBandCount,
                                CarBenefitWorking& working);

  // The result of a calculation that could not be completed.
  static constexpr double kNotComputed = -1.0;

 private:
  CarBenefits(CAR_SUMS& sums, TLD_ISYI_CAR& car, const TLD_0501_CAR_LIMITS& limits, const CarRateTables& rates,
              long taxYear, long periodStart, long periodEnd, CarBenefitFigures& figures);

  static double Run(CAR_SUMS& sums, TLD_ISYI_CAR* car, const TLD_0501_CAR_LIMITS* limits, int co2BandCount,
                    long taxYear, long periodStart, long periodEnd, int rangeBandCount, CarBenefitWorking* working);

  // Chooses the standard or the alternative-amount path and runs it.
  double DoCalc();
  double StandardCalc();
  double AlternativeAmountCalc();
  // The price, contribution and replacement-price steps that both paths share.
  void WorkOutPrice(bool capPrice);
  double AppropriatePercentage(bool co2FigureUsable) const;
  // Whole pounds: the current percentage of `amount`.
  double ApplyCarTaxRate(double amount) const;
  long GetCarDaysUnavailable() const;
  long GetFuelDaysUnavailable(bool fuelProvided, bool fuelContinues) const;

  CAR_SUMS& m_sums;
  TLD_ISYI_CAR* m_car;
  const TLD_0501_CAR_LIMITS* m_limits;
  const CarRateTables& m_rates;
  long m_taxYear;
  long m_periodStart;
  long m_periodEnd;
  double m_daysInYear;
  CarBenefitFigures& m_figures;
};
