// File: qarntash/tax_rules/car_benefit_working.h
//
// The working of a car benefit: the steps by which CarBenefits::CalcWithWorking reached the
// figures that CarBenefits::Calc gives, in the order a person checking them would read them, so
// that a host prints how the benefit was worked out without working any of it out again.
//
// Each step has a description as a page would print it ("Cash equivalent at 32% (CO2 118 g/km)"),
// an amount in pounds (a deduction is negative; a note has none), and the rule or figure that
// decided it ("CO2 rules of 2022-23: 118 g/km, diesel supplement"). Amounts of one part add up to
// that part's result: a benefit that deductions take below nil has a "Restricted to nil" step.
//
// Usage:
//   CarBenefitWorking working;
//   const double benefit = CarBenefits::CalcWithWorking(sums, &car, &limits, co2Bands, 2023, start, end,
//                                                       rangeBands, working);
//   for (const CarBenefitStep& step : working.steps) print(step.description, step.amount);
#pragma once

#include <string>
#include <vector>

#include "qarntash/export.h"

struct QARNTASH_API CarBenefitStep {
  enum Part { kCar = 0, kFuel = 1, kTotal = 2 };
  // kAmount: a figure on the way; kNote: text only (amount 0); kResult: the part's result.
  enum Kind { kAmount = 0, kNote = 1, kResult = 2 };
  Part part = kCar;
  Kind kind = kAmount;
  std::string description;
  double amount = 0.0;
  std::string basis;
};

struct QARNTASH_API CarBenefitWorking {
  // False when a figure could not be worked out (CarBenefits::kNotComputed); the one step then
  // names the figure.
  bool computed = false;
  // "standard", or "alternative amounts" (a salary given up for the car or its fuel compared).
  std::string path;
  std::vector<CarBenefitStep> steps;
};
