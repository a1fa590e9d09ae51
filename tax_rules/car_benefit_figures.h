// The figures on the way to a car benefit that CAR_SUMS does not hold, kept by the two paths of
// the calculation so that its working can be told without working anything out again (internal).
#pragma once

#include "qarntash/tax_rules/car_benefit_records.h"
#include "qarntash/tax_rules/car_benefit_working.h"

// How the appropriate percentage was decided.
enum class PercentageRule { kFlat, kCo2, kEngineSize };

struct CarBenefitFigures {
  bool alternativePath = false;
  PercentageRule percentageRule = PercentageRule::kFlat;
  double daysInYear = 365.0;
  double replacedListPrice = 0.0;  // the list price a replacement price replaced (0: none)
  double listPrice = 0.0;          // as used
  double accessories = 0.0;
  double contributionGiven = 0.0;  // the car's, before the cap
  double priceBeforeCap = 0.0;     // price less contributions
  double carBeforeNil = 0.0;       // the car benefit before a negative one is raised to nil
  // Alternative-amount path, car: the cash equivalents compared with the salary given up.
  double fullCashEquivalent = 0.0;
  double cashEquivalent = 0.0;
  double carAmount = 0.0;
  double contributionsAtPercentage = 0.0;  // whole pounds
  bool carAmountTaxed = false;
  // Fuel.
  bool fuelProvided = false;
  bool fuelByMultiplier = false;
  double fuelScale = 0.0;          // the scale charge, or the percentage of the multiplier
  double fuelFull = 0.0;           // as shown: pence, or whole pounds on the alternative path
  double fuelCashEquivalent = 0.0;
  double fuelAmount = 0.0;
  bool fuelAmountTaxed = false;
  long fuelDays = 0;
};

// The name of the first figure that is infinite or not a number, or null when all are finite.
const char* first_figure_not_finite(const CarBenefitFigures& figures, const CAR_SUMS& sums);

// Fills `working` from the figures of a completed calculation.
void describe_car_benefit(const CarBenefitFigures& figures, const TLD_ISYI_CAR& car, const TLD_0501_CAR_LIMITS& limits,
                          const CAR_SUMS& sums, long taxYear, CarBenefitWorking& working);
