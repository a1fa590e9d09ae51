// Helpers for the car benefit tests: a car, a year's limits with the year's real CO2 band table,
// and a whole tax year's period.
//
// The band tables are HMRC's published appropriate percentages (EIM24650 / EIM24655 for
// 2002-03 to 2016-17, the 480 guide's Appendix 2 for the later years): a few leading bands, then a
// ladder of one point for every 5 g/km up to the year's maximum.
#pragma once

#include <cstring>
#include <initializer_list>
#include <vector>

#include "platform/dates.h"
#include "qarntash/tax_rules/car_benefit.h"
#include "qarntash/tax_rules/tax_year_calendar.h"

namespace car_test {

struct Band {
  int lowerBound;
  double percentage;
};

// A year's limits and the counts that Calc is given with them.
struct YearLimits {
  TLD_0501_CAR_LIMITS limits;
  int co2BandCount;
  int rangeBandCount;
};

inline void set_flag(char (&flag)[2], bool yes) {
  flag[0] = yes ? 'Y' : 'N';
  flag[1] = '\0';
}

// A petrol car with a CO2 figure, available all year, no fuel; every flag "N".
inline TLD_ISYI_CAR make_car(double listPrice, double co2, short fuelType = 1) {
  TLD_ISYI_CAR car;
  std::memset(&car, 0, sizeof car);
  car.listPrice = listPrice;
  car.co2 = co2;
  car.fuelType = fuelType;
  car.engineCode = 2;
  for (char(*flag)[2] : {&car.fuelProvided, &car.useReplacementPrice, &car.lowerMileageRelief, &car.noCo2Figure,
                         &car.fuelContinues, &car.alternativeAmounts}) {
    set_flag(*flag, false);
  }
  return car;
}

// Adds `leading` bands, then one point more for every 5 g/km from ladderStart (at
// ladderStart's own percentage) until maxPercentage. Each band's diesel supplement is limited so
// that a diesel does not pass maxPercentage.
inline void set_co2_table(YearLimits& year, std::initializer_list<Band> leading, int ladderStart,
                          double ladderPercentage, double maxPercentage, double supplement) {
  int count = 0;
  auto add = [&](int bound, double percentage) {
    CarCo2Band& band = year.limits.co2Bands[count++];
    band.lowerBound = bound;
    band.percentage = percentage;
    band.dieselSupplement = percentage + supplement > maxPercentage ? maxPercentage - percentage : supplement;
  };
  for (const Band& band : leading) add(band.lowerBound, band.percentage);
  for (int bound = ladderStart; ladderPercentage <= maxPercentage && count < kMaxCo2Bands; bound += 5) {
    add(bound, ladderPercentage);
    ladderPercentage += 1;
  }
  year.co2BandCount = count;
}

inline void set_range_table(YearLimits& year, std::initializer_list<Band> bands) {
  int count = 0;
  for (const Band& band : bands) {
    year.limits.electricRangeBands[count].lowerBound = band.lowerBound;
    year.limits.electricRangeBands[count].percentage = band.percentage;
    ++count;
  }
  year.rangeBandCount = count;
}

// The limits of a tax year: the caps, the fuel multiplier and the CO2 (and electric range)
// tables that the year used. Years before 2002-03 take the flat-percentage rules of 1999-2000 to
// 2001-02: 35% of the price, cut to 25% from 2,500 business miles and to 15% from 18,000, and by
// a quarter for a car four years old at the year's end (ICTA 1988 Sch 6 as it then stood).
inline YearLimits limits_for(long taxYear) {
  YearLimits year;
  std::memset(&year, 0, sizeof year);
  TLD_0501_CAR_LIMITS& l = year.limits;
  l.contributionCap = 5000;
  l.replacementPriceThreshold = 15000;
  if (taxYear < 2012) l.priceCap = 80000;
  if (taxYear < 2003) {
    l.flatPercentage = 35;
    l.mileageReduction1 = 10.0 / 35.0 * 100.0;  // 35% down to 25%
    l.mileageReduction2 = 20.0 / 35.0 * 100.0;  // 35% down to 15%
    l.olderCarAge = 4;
    l.olderCarReduction = 25;
    // 2001-02 fuel scale charges (SI 2001/635).
    l.fuelScalePetrolSmall = 1930;
    l.fuelScalePetrolMedium = 2460;
    l.fuelScalePetrolLarge = 3620;
    l.fuelScaleDieselSmall = 2460;
    l.fuelScaleDieselLarge = 3620;
    l.fuelScaleOther = 3620;
    return year;
  }
  if (taxYear == 2003) {
    // 2002-03 fuel scale charges (SI 2002/706) and the first CO2 table: 15% to 169 g/km (the
    // lower threshold of 165 repeated so that the alternative-fuel discounts count from it).
    l.fuelScalePetrolSmall = 2240;
    l.fuelScalePetrolMedium = 2850;
    l.fuelScalePetrolLarge = 4200;
    l.fuelScaleDieselSmall = 2850;
    l.fuelScaleDieselLarge = 4200;
    l.fuelScaleOther = 4200;
    set_co2_table(year, {{0, 15}, {165, 15}}, 170, 16, 35, 3);
    return year;
  }
  struct Multiplier {
    long taxYear;
    double amount;
  };
  constexpr Multiplier kMultipliers[] = {{2004, 14400}, {2009, 16900}, {2011, 18000}, {2012, 18800},
                                         {2013, 20200}, {2014, 21100}, {2015, 21700}, {2016, 22100},
                                         {2017, 22200}, {2018, 22600}, {2019, 23400}, {2020, 24100},
                                         {2021, 24500}, {2022, 24600}, {2023, 25300}, {2024, 27800}};
  for (const Multiplier& m : kMultipliers) {
    if (m.taxYear <= taxYear) l.fuelMultiplier = m.amount;
  }
  if (taxYear <= 2006) {
    const int threshold = taxYear == 2004 ? 155 : taxYear == 2005 ? 145 : 140;
    set_co2_table(year, {{0, 15}, {threshold, 15}}, threshold + 5, 16, 35, 3);
  } else if (taxYear <= 2008) {
    set_co2_table(year, {{0, 15}, {140, 15}}, 145, 16, 35, 3);
  } else if (taxYear <= 2010) {
    set_co2_table(year, {{0, 10}, {121, 15}}, 140, 16, 35, 3);
  } else if (taxYear == 2011) {
    set_co2_table(year, {{0, 5}, {76, 10}, {121, 15}}, 135, 16, 35, 3);
  } else if (taxYear == 2012) {
    set_co2_table(year, {{0, 0}, {1, 5}, {76, 10}, {121, 15}}, 130, 16, 35, 3);
  } else if (taxYear == 2013) {
    set_co2_table(year, {{0, 0}, {1, 5}, {76, 10}}, 100, 11, 35, 3);
  } else if (taxYear == 2014) {
    set_co2_table(year, {{0, 0}, {1, 5}, {76, 10}}, 95, 11, 35, 3);
  } else if (taxYear == 2015) {
    set_co2_table(year, {{0, 0}, {1, 5}, {76, 11}}, 95, 12, 35, 3);
  } else if (taxYear == 2016) {
    set_co2_table(year, {{0, 5}, {51, 9}, {76, 13}}, 95, 14, 37, 3);
  } else if (taxYear == 2017) {
    set_co2_table(year, {{0, 7}, {51, 11}, {76, 15}}, 95, 16, 37, 3);
  } else if (taxYear == 2018) {
    set_co2_table(year, {{0, 9}, {51, 13}, {76, 17}}, 95, 18, 37, 3);
  } else if (taxYear == 2019) {
    set_co2_table(year, {{0, 13}, {51, 16}, {76, 19}}, 95, 20, 37, 4);
  } else if (taxYear == 2020) {
    set_co2_table(year, {{0, 16}, {51, 19}, {76, 22}}, 95, 23, 37, 4);
  } else if (taxYear == 2021) {
    set_co2_table(year, {{0, 0}, {1, 0}, {51, 13}}, 55, 14, 37, 4);
    set_range_table(year, {{0, 12}, {30, 10}, {40, 6}, {70, 3}, {130, 0}});
  } else if (taxYear == 2022) {
    set_co2_table(year, {{0, 1}, {1, 1}, {51, 14}}, 55, 15, 37, 4);
    set_range_table(year, {{0, 13}, {30, 11}, {40, 7}, {70, 4}, {130, 1}});
  } else {
    // 2022-23 to 2024-25 (later years are not used by the tests).
    set_co2_table(year, {{0, 2}, {1, 2}, {51, 15}}, 55, 16, 37, 4);
    set_range_table(year, {{0, 14}, {30, 12}, {40, 8}, {70, 5}, {130, 2}});
  }
  return year;
}

struct Period {
  long start;
  long end;
};

inline Period whole_year(long taxYear) { return {CDateToolKit::getTaxYrStart(taxYear), CDateToolKit::getTaxYrEnd(taxYear)}; }

inline double calc(CAR_SUMS& sums, TLD_ISYI_CAR& car, const YearLimits& year, long taxYear) {
  const Period period = whole_year(taxYear);
  return CarBenefits::Calc(sums, &car, &year.limits, year.co2BandCount, taxYear, period.start, period.end,
                           year.rangeBandCount);
}

// `count` cars of different prices, emissions, fuels and dates, half with fuel, some part of the
// year, some with contributions or private-use payments: the benchmarks' fleet.
inline std::vector<TLD_ISYI_CAR> varied_fleet(int count, const Period& period) {
  std::vector<TLD_ISYI_CAR> fleet;
  fleet.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    TLD_ISYI_CAR car = make_car(15000 + (i % 400) * 125.0, (i * 7) % 260, static_cast<short>(1 + i % 9));
    set_flag(car.fuelProvided, i % 2 == 0);
    car.availableFrom = i % 5 == 0 ? static_cast<std::int32_t>(period.start + i % 300) : 0;
    car.registeredDate = static_cast<std::int32_t>(period.start - 200 - i % 3000);
    car.privateUsePayments = i % 7 == 0 ? 600 : 0;
    car.capitalContribution = i % 3 == 0 ? 1500 : 0;
    fleet.push_back(car);
  }
  return fleet;
}

}  // namespace car_test
