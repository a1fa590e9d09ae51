// How long the car benefit takes: one typical car (CO2 rules, fuel provided) and a fleet of
// 100,000 varied cars, which must take well under a second.
#include <vector>

#include <benchmark/benchmark.h>

#include "tax_rules/car_benefit_test_helpers.h"

namespace {

using car_test::limits_for;
using car_test::make_car;
using car_test::set_flag;
using car_test::YearLimits;

constexpr long kTaxYear = 2023;

void BM_OneTypicalCar(benchmark::State& state) {
  const YearLimits year = limits_for(kTaxYear);
  const car_test::Period period = car_test::whole_year(kTaxYear);
  TLD_ISYI_CAR car = make_car(32450, 127, 2);
  set_flag(car.fuelProvided, true);
  car.availableFrom = period.start + 40;
  car.capitalContribution = 1500;
  CAR_SUMS sums;
  for (auto _ : state) {
    benchmark::DoNotOptimize(CarBenefits::Calc(sums, &car, &year.limits, year.co2BandCount, kTaxYear, period.start,
                                               period.end, year.rangeBandCount));
  }
}
BENCHMARK(BM_OneTypicalCar);

// 100,000 cars of different prices, emissions, fuels and dates, half with fuel.
void BM_FleetOf100000Cars(benchmark::State& state) {
  const YearLimits year = limits_for(kTaxYear);
  const car_test::Period period = car_test::whole_year(kTaxYear);
  std::vector<TLD_ISYI_CAR> fleet = car_test::varied_fleet(100000, period);
  CAR_SUMS sums;
  for (auto _ : state) {
    double total = 0;
    for (TLD_ISYI_CAR& car : fleet) {
      total += CarBenefits::Calc(sums, &car, &year.limits, year.co2BandCount, kTaxYear, period.start, period.end,
                                 year.rangeBandCount);
    }
    benchmark::DoNotOptimize(total);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(fleet.size()));
}
BENCHMARK(BM_FleetOf100000Cars)->Unit(benchmark::kMillisecond);

}  // namespace
