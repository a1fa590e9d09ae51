// The standard path of the car benefit: every tax year, with the rules that earlier years
// carried (a flat percentage and business-mileage reductions before 2002-03, the older-car
// reduction, the price cap before 2011-12, fuel scale charges by engine size before 2003-04).
#include <cstdio>
#include <cstring>

#include "car_benefit_figures.h"
#include "car_benefit_internal.h"
#include "platform/dates.h"
#include "qarntash/tax_rules/car_benefit.h"

namespace {

// The CO2 rules began in 2002-03; before that every car took the year's flat percentage, less
// the business-mileage reductions, and the days in a year were always 365.
constexpr long kFirstYearOfCo2Rules = 2003;
// Before 2015-16 a car with a CO2 figure of 0 is taken to have none.
constexpr long kFirstYearCo2ZeroIsAFigure = 2016;
// The displayed percentage shows the mileage reduction from 1999-2000.
constexpr long kFirstYearPercentageShowsMileage = 2000;
// The price cap (80,000 pounds) was abolished from 2011-12.
constexpr long kFirstYearWithoutPriceCap = 2012;
// From 2003-04 the fuel benefit is the car's percentage of the year's fuel multiplier.
constexpr long kFirstYearOfFuelMultiplier = 2004;

constexpr short kMileageBandMiddle = 2;
constexpr short kMileageBandHigh = 3;

// Reads one fuel scale field. A function rather than a pointer to member: the record is packed,
// and a pointer to member is read as if its double were aligned.
using ScaleField = double (*)(const TLD_0501_CAR_LIMITS&);
constexpr ScaleField kPetrolSmall = [](const TLD_0501_CAR_LIMITS& l) { return l.fuelScalePetrolSmall; };
constexpr ScaleField kPetrolMedium = [](const TLD_0501_CAR_LIMITS& l) { return l.fuelScalePetrolMedium; };
constexpr ScaleField kPetrolLarge = [](const TLD_0501_CAR_LIMITS& l) { return l.fuelScalePetrolLarge; };
constexpr ScaleField kDieselSmall = [](const TLD_0501_CAR_LIMITS& l) { return l.fuelScaleDieselSmall; };
constexpr ScaleField kDieselLarge = [](const TLD_0501_CAR_LIMITS& l) { return l.fuelScaleDieselLarge; };

// The fuel scale charges before 2003-04 (ICTA 1988 s158) and the text that names the scale on
// the report, by fuel type and engine code. Diesel's engine codes differ from petrol's: for diesel
// 3 is the smallest engine and 1 the middle one.
struct EngineScale {
  short engineCodes[2];
  const char* words;
  ScaleField scale;
};
struct FuelScaleRow {
  short fuelTypes[4];
  const char* fuelWord;
  int smallerCount;
  EngineScale smaller[2];
  const char* largestWords;
  ScaleField largestScale;
};
constexpr FuelScaleRow kFuelScaleRows[] = {
    {{1, 4, 6, 7}, "Petrol", 2,
     {{{1, 1}, " up to 1400cc", kPetrolSmall}, {{2, 2}, " 1400 - 2000cc", kPetrolMedium}},
     " 2001cc +", kPetrolLarge},
    {{2, 2, 2, 2}, "Diesel", 1, {{{1, 3}, " up to 2000cc", kDieselSmall}}, " 2001cc +", kDieselLarge},
    {{8, 8, 8, 8}, "Euro Diesel", 1, {{{1, 2}, " up to 2000cc", kDieselSmall}}, " 2001cc +", kDieselLarge},
};
constexpr const char* kNoCombustionText = "Non combustion";

// Writes the scale's text into `text` (49 bytes) and returns the scale.
double fuel_scale(const TLD_0501_CAR_LIMITS& limits, short fuelType, short engineCode, char (&text)[49]) {
  for (const FuelScaleRow& row : kFuelScaleRows) {
    bool matches = false;
    for (short type : row.fuelTypes) matches = matches || type == fuelType;
    if (!matches) continue;
    for (int i = 0; i < row.smallerCount; ++i) {
      const EngineScale& size = row.smaller[i];
      if (engineCode == size.engineCodes[0] || engineCode == size.engineCodes[1]) {
        std::snprintf(text, sizeof text, "%s%s", row.fuelWord, size.words);
        return size.scale(limits);
      }
    }
    std::snprintf(text, sizeof text, "%s%s", row.fuelWord, row.largestWords);
    return row.largestScale(limits);
  }
  std::snprintf(text, sizeof text, "%s", kNoCombustionText);
  return limits.fuelScaleOther;
}

// Copies a band text into its 20-byte field, the rest of the field zero bytes.
void set_band_text(char (&field)[20], const char* text) {
  std::memset(field, 0, sizeof field);
  std::strncpy(field, text, sizeof field - 1);
}

}  // namespace

using namespace car_benefit_internal;

double CarBenefits::StandardCalc() {
  const double daysInYear = m_taxYear < kFirstYearOfCo2Rules ? 365.0 : m_daysInYear;
  std::memset(&m_sums, 0, sizeof m_sums);
  m_figures.daysInYear = daysInYear;

  WorkOutPrice(m_taxYear < kFirstYearWithoutPriceCap);

  if (m_taxYear < kFirstYearOfCo2Rules) {
    m_sums.percentage = m_limits->flatPercentage;
  } else {
    m_sums.percentage = AppropriatePercentage(m_taxYear >= kFirstYearCo2ZeroIsAFigure || m_car->co2 > 0);
  }
  m_sums.fullBenefit = round_pence(m_sums.netPrice * m_sums.percentage / 100.0);

  double benefit = m_sums.fullBenefit;
  if (m_taxYear < kFirstYearOfCo2Rules) {
    // Business mileage: 2,500 to 18,000 miles and over 18,000 miles lowered the percentage. The
    // lower relief gives the high band only the middle band's rate, and the middle band nothing.
    const bool lowerRelief = is_yes(m_car->lowerMileageRelief);
    double rate = 0.0;
    if (m_car->mileageBand == kMileageBandMiddle && !lowerRelief) {
      set_band_text(m_sums.mileageBandText, "2500 - 18000");
      rate = m_limits->mileageReduction1;
    } else if (m_car->mileageBand == kMileageBandHigh) {
      set_band_text(m_sums.mileageBandText, "18000+");
      rate = lowerRelief ? m_limits->mileageReduction1 : m_limits->mileageReduction2;
    }
    m_sums.mileageReduction = round_pence(m_sums.fullBenefit * rate / 100.0);
    if (m_taxYear >= kFirstYearPercentageShowsMileage) {
      m_sums.percentage -= round_pence(m_sums.percentage * rate / 100.0);
    }
    benefit = m_sums.fullBenefit - m_sums.mileageReduction;
  }

  // A car at least olderCarAge years old by the period's end.
  if (m_car->registeredDate != 0) {
    fpw_DATE_VALUE aged(static_cast<long>(m_car->registeredDate));
    aged.add_year(m_limits->olderCarAge, aged.is_leapyear());
    if (aged.value() != 0 && aged.value() <= m_periodEnd) {
      m_sums.olderCarReductionAmount = round_pence(benefit * m_limits->olderCarReduction / 100.0);
    }
  }
  benefit -= m_sums.olderCarReductionAmount;

  const long extraDays = m_car->extraDaysUnavailable > 0 ? m_car->extraDaysUnavailable : 0;
  const long carDays = GetCarDaysUnavailable() + extraDays;
  m_sums.carDaysUnavailable = static_cast<std::int32_t>(carDays);
  m_sums.unavailableReduction = carDays / daysInYear * benefit;
  benefit = benefit - m_sums.unavailableReduction - m_car->privateUsePayments;
  m_figures.carBeforeNil = benefit;

  if (is_yes(m_car->fuelProvided)) {
    const long fuelDays = GetFuelDaysUnavailable(true, is_yes(m_car->fuelContinues)) + extraDays;
    double scale = fuel_scale(*m_limits, m_car->fuelType, m_car->engineCode, m_sums.fuelScaleText);
    m_figures.fuelByMultiplier = m_taxYear >= kFirstYearOfFuelMultiplier;
    if (m_figures.fuelByMultiplier) scale = m_sums.percentage * m_limits->fuelMultiplier / 100.0;
    m_sums.fuelUnavailableReduction = round_pounds(fuelDays * scale / daysInYear);
    const double fuelBenefit = round_pence((daysInYear - fuelDays) / daysInYear * scale);
    m_sums.fuelBenefit = fuelBenefit > 0.0 ? fuelBenefit : 0.0;
    m_figures.fuelProvided = true;
    m_figures.fuelDays = fuelDays;
    m_figures.fuelScale = scale;
    m_figures.fuelFull = round_pence(scale);
    m_figures.fuelCashEquivalent = fuelBenefit;
  }

  const double carBenefit = round_pence(benefit);
  m_sums.carBenefit = carBenefit > 0.0 ? carBenefit : 0.0;
  return m_sums.carBenefit;
}
