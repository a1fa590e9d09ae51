// The working of a car benefit, told from the figures that the calculation kept: the lines a
// page prints, each with the rule or figure that gave it. Nothing here works a figure out again
// but the differences that make each part of the page add up to its result.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "car_benefit_figures.h"
#include "car_benefit_internal.h"
#include "qarntash/tax_rules/car_benefit.h"
#include "platform/rounding.h"

using namespace car_benefit_internal;

const char* first_figure_not_finite(const CarBenefitFigures& f, const CAR_SUMS& s) {
  const struct {
    const char* name;
    double value;
  } figures[] = {
      {"the list price", f.listPrice},
      {"the accessories", f.accessories},
      {"the capital contributions", f.contributionGiven},
      {"the price", s.price},
      {"the price for the benefit", s.netPrice},
      {"the appropriate percentage", s.percentage},
      {"the cash equivalent", s.fullBenefit},
      {"the cash equivalent", f.fullCashEquivalent},
      {"the cash equivalent", f.cashEquivalent},
      {"the salary given up for the car", f.carAmount},
      {"the reduction for days unavailable", s.unavailableReduction},
      {"the reduction for days unavailable", s.unavailableReductionWhole},
      {"the older car reduction", s.olderCarReductionAmount},
      {"the business mileage reduction", s.mileageReduction},
      {"the car benefit", f.carBeforeNil},
      {"the car benefit", s.carBenefit},
      {"the fuel benefit", f.fuelScale},
      {"the fuel benefit", f.fuelFull},
      {"the fuel benefit", f.fuelCashEquivalent},
      {"the salary given up for fuel", f.fuelAmount},
      {"the reduction for days without fuel", s.fuelUnavailableReduction},
      {"the fuel benefit", s.fuelBenefit},
  };
  for (const auto& figure : figures) {
    if (!std::isfinite(figure.value)) return figure.name;
  }
  if (!std::isfinite(s.carBenefit + s.fuelBenefit)) return "the total taxable benefit";
  return nullptr;
}

namespace {

// A percentage as a person writes it: 26%, 12.5%.
std::string percent_text(double percentage) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", ttround(percentage, 2, 2));
  std::string shown = text;
  if (shown.find('.') != std::string::npos) {
    while (shown.back() == '0') shown.pop_back();
    if (shown.back() == '.') shown.pop_back();
  }
  return shown + "%";
}

std::string year_label(long taxYear) {
  char text[48];
  std::snprintf(text, sizeof text, "%ld-%02ld", taxYear - 1, taxYear % 100);
  return text;
}

class Steps {
 public:
  explicit Steps(CarBenefitWorking& working) : m_working(working) {}
  void part(CarBenefitStep::Part part) { m_part = part; }
  void amount(const std::string& description, double amount, const std::string& basis = std::string()) {
    add(CarBenefitStep::kAmount, description, amount, basis);
  }
  void note(const std::string& description, const std::string& basis = std::string()) {
    add(CarBenefitStep::kNote, description, 0.0, basis);
  }
  void result(const std::string& description, double amount, const std::string& basis = std::string()) {
    add(CarBenefitStep::kResult, description, amount, basis);
  }
  // A benefit is never negative: when the deductions exceed what they are taken from, the
  // shortfall is added back so that the part's lines still add up to nil.
  void restrict_to_nil(double workedOut) {
    const double shortfall = ttround(workedOut, 2, 2);
    if (shortfall < 0) amount("Restricted to nil", -shortfall, "a benefit is never less than nil");
  }

 private:
  void add(CarBenefitStep::Kind kind, const std::string& description, double amount, const std::string& basis) {
    CarBenefitStep step;
    step.part = m_part;
    step.kind = kind;
    step.description = description;
    step.amount = amount;
    step.basis = basis;
    m_working.steps.push_back(step);
  }
  CarBenefitWorking& m_working;
  CarBenefitStep::Part m_part = CarBenefitStep::kCar;
};

// A figure in whole units, rounded down, as text of any length: a CO2 figure of 1e300 is no
// reason to convert it to an integer type that cannot hold it.
std::string whole_units_text(double value) {
  char text[400];  // the largest double has 309 digits
  std::snprintf(text, sizeof text, "%.0f", std::floor(value));
  return text;
}

std::string co2_basis(const TLD_ISYI_CAR& car) {
  if (is_yes(car.noCo2Figure)) return " (no CO2 figure)";
  if (car.co2 > 0) return " (CO2 " + whole_units_text(car.co2) + " g/km)";
  return "";
}

std::string percentage_basis(const CarBenefitFigures& f, const TLD_ISYI_CAR& car, long taxYear) {
  const std::string year = " of " + year_label(taxYear);
  switch (f.percentageRule) {
    case PercentageRule::kFlat:
      return "the flat percentage" + year;
    case PercentageRule::kEngineSize:
      return "the engine-size rules" + year + " (no CO2 figure), engine code " + std::to_string(car.engineCode) +
             ", fuel type " + std::to_string(car.fuelType);
    case PercentageRule::kCo2:
      break;
  }
  return "the CO2 rules" + year + ": " + whole_units_text(car.co2) +
         " g/km, fuel type " + std::to_string(car.fuelType);
}

std::string days_basis(long days, double daysInYear) {
  return std::to_string(days) + " of " + std::to_string(static_cast<long>(daysInYear)) + " days";
}

void describe_price(Steps& steps, const CarBenefitFigures& f, const TLD_0501_CAR_LIMITS& limits, const CAR_SUMS& s) {
  steps.amount("List price", f.listPrice,
               f.replacedListPrice != 0 ? "the replacement price, above the " +
                                              money_text(limits.replacementPriceThreshold) + " threshold"
                                        : "the car's list price");
  if (f.accessories != 0) steps.amount("Accessories", f.accessories);
  steps.amount("Price", s.price, "list price and accessories");
}

// The salary given up for the car is taxed: the comparison, then the amount less the percentage
// of the capital contributions and the payments for private use.
void describe_car_amount(Steps& steps, const CarBenefitFigures& f, const TLD_ISYI_CAR& car, const CAR_SUMS& s) {
  steps.amount("Cash equivalent at " + percent_text(s.percentage) + co2_basis(car), f.fullCashEquivalent,
               "whole pounds, on the price before contributions");
  if (s.unavailableReductionWhole != 0) {
    steps.amount("Less " + std::to_string(s.carDaysUnavailable) + " days unavailable", -s.unavailableReductionWhole,
                 days_basis(s.carDaysUnavailable, f.daysInYear) + ", whole pounds");
    steps.amount("Cash equivalent", f.cashEquivalent);
  }
  steps.amount("Salary given up, larger than the cash equivalent", f.carAmount,
               "the salary given up is taxed when the cash equivalent is not larger");
  if (f.contributionsAtPercentage != 0) {
    steps.amount("Less " + percent_text(s.percentage) + " of capital contributions", -f.contributionsAtPercentage,
                 "whole pounds");
  }
  const double payments = car.privateUsePayments;
  if (payments != 0) steps.amount("Less payments for private use", -payments);
  steps.restrict_to_nil(f.carAmount - f.contributionsAtPercentage - payments);
  steps.result("Car benefit", s.carBenefit,
               "alternative amounts: salary given up " + money_text(f.carAmount) + " against cash equivalent " +
                   money_text(f.cashEquivalent));
}

void describe_car(Steps& steps, const CarBenefitFigures& f, const TLD_ISYI_CAR& car,
                  const TLD_0501_CAR_LIMITS& limits, const CAR_SUMS& s, long taxYear) {
  describe_price(steps, f, limits, s);
  if (f.carAmountTaxed) {
    describe_car_amount(steps, f, car, s);
    return;
  }
  if (s.capitalContribution != 0) {
    steps.amount("Less capital contributions", -s.capitalContribution,
                 "contributions of " + money_text(f.contributionGiven) + ", at most " +
                     money_text(limits.contributionCap));
  }
  if (s.netPrice < f.priceBeforeCap) {
    steps.amount("Less the excess over the " + money_text(limits.priceCap) + " price cap",
                 s.netPrice - f.priceBeforeCap, "the price cap, before 2011-12");
  }
  steps.amount("Price for the benefit", s.netPrice);
  steps.amount("Cash equivalent at " + percent_text(s.percentage) + co2_basis(car), s.fullBenefit,
               percentage_basis(f, car, taxYear));
  if (s.mileageReduction != 0) {
    steps.amount("Less business mileage reduction", -s.mileageReduction,
                 std::string("business mileage band ") + s.mileageBandText);
  }
  if (s.olderCarReductionAmount != 0) {
    steps.amount("Less older car reduction", -s.olderCarReductionAmount,
                 percent_text(limits.olderCarReduction) + " for a car " + std::to_string(limits.olderCarAge) +
                     " years old by the end of the period");
  }
  if (s.unavailableReduction != 0) {
    steps.amount("Less " + std::to_string(s.carDaysUnavailable) + " days unavailable", -s.unavailableReduction,
                 days_basis(s.carDaysUnavailable, f.daysInYear));
  }
  const double payments = car.privateUsePayments;
  if (payments != 0) steps.amount("Less payments for private use", -payments);
  steps.restrict_to_nil(f.carBeforeNil);
  if (f.alternativePath && f.carAmount != 0) {
    steps.note("Salary given up " + money_text(f.carAmount) + ": less, so not taxed",
               "cash equivalent " + money_text(f.cashEquivalent) + " is larger");
  }
  steps.result("Car benefit", s.carBenefit,
               f.alternativePath ? "alternative amounts: the cash equivalent is the larger" : "standard path");
}

void describe_fuel(Steps& steps, const CarBenefitFigures& f, const TLD_0501_CAR_LIMITS& limits, const CAR_SUMS& s) {
  steps.part(CarBenefitStep::kFuel);
  if (!f.fuelProvided) {
    steps.note("No private fuel provided: no fuel benefit.");
    return;
  }
  const std::string basis =
      f.fuelByMultiplier
          ? "Fuel benefit at " + percent_text(s.percentage) + " of " + money_text(limits.fuelMultiplier)
          : "Fuel scale charge: " + std::string(s.fuelScaleText, strnlen(s.fuelScaleText, sizeof s.fuelScaleText));
  const std::string rule = f.fuelByMultiplier ? "the car's percentage of the year's fuel multiplier"
                                              : "the year's fuel scale charge by fuel and engine size";
  const bool compared = f.alternativePath && f.fuelAmount != 0;
  const double reduction = ttround(f.fuelFull - f.fuelCashEquivalent, 2, 2);
  const bool showWorking = reduction > 0 || compared;
  if (showWorking) steps.amount(basis, f.fuelFull, rule);
  if (reduction > 0) steps.amount("Less days without fuel", -reduction, days_basis(f.fuelDays, f.daysInYear));
  if (compared && f.fuelAmountTaxed) {
    if (reduction > 0) steps.amount("Fuel cash equivalent", f.fuelCashEquivalent);
    steps.amount("Salary given up, larger than the cash equivalent", f.fuelAmount,
                 "the salary given up is taxed when the cash equivalent is not larger");
    steps.restrict_to_nil(f.fuelAmount);
  } else {
    steps.restrict_to_nil(f.fuelCashEquivalent);
    if (compared) {
      steps.note("Salary given up " + money_text(f.fuelAmount) + ": less, so not taxed",
                 "fuel cash equivalent " + money_text(f.fuelCashEquivalent) + " is larger");
    }
  }
  steps.result(showWorking ? "Fuel benefit" : basis, s.fuelBenefit, rule);
}

}  // namespace

void describe_car_benefit(const CarBenefitFigures& figures, const TLD_ISYI_CAR& car, const TLD_0501_CAR_LIMITS& limits,
                          const CAR_SUMS& sums, long taxYear, CarBenefitWorking& working) {
  working.computed = true;
  working.path = figures.alternativePath ? "alternative amounts" : "standard";
  Steps steps(working);
  describe_car(steps, figures, car, limits, sums, taxYear);
  describe_fuel(steps, figures, limits, sums);
  steps.part(CarBenefitStep::kTotal);
  steps.result("Total taxable benefit", ttround(sums.carBenefit + sums.fuelBenefit, 2, 2), "car and fuel benefits");
}
