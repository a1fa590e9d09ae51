// ttround by arithmetic against the decimal reading it falls back to: one call on typical money
// figures, and a whole car benefit with each.
//
// The car benefit reaches ttround through the platform library; this program defines ttround
// itself, which the dynamic linker gives the library in place of the platform's, and passes each
// call to the platform's ttround ("new") or to ttround_by_decimal_reading ("old").
#include <dlfcn.h>

#include <vector>

#include <benchmark/benchmark.h>

#include "platform/rounding.h"
#include "tax_rules/car_benefit_test_helpers.h"

namespace {

bool use_decimal_reading = false;

using Rounding = double (*)(double, int, int);
Rounding platform_ttround() {
  static const Rounding found = reinterpret_cast<Rounding>(dlsym(RTLD_NEXT, "ttround"));
  return found;
}

}  // namespace

extern "C" double ttround(double value, int decimals, int mode) {
  return use_decimal_reading ? ttround_by_decimal_reading(value, decimals, mode)
                             : platform_ttround()(value, decimals, mode);
}

namespace {

// Figures as the car benefit rounds them: prices times percentages, day fractions of benefits.
std::vector<double> money_figures() {
  std::vector<double> figures;
  for (int i = 0; i < 1024; ++i) {
    const double price = 15000 + i * 37.25;
    figures.push_back(price * (12 + i % 26) / 100.0);
    figures.push_back((i % 200) / 365.0 * price * 0.3);
    figures.push_back(2.675 + i);  // a half in decimal, just below it in binary
  }
  return figures;
}

void run_ttround(benchmark::State& state, bool decimal_reading) {
  use_decimal_reading = decimal_reading;
  const std::vector<double> figures = money_figures();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ttround(figures[i], i % 2 == 0 ? 2 : 0, 2));
    i = i + 1 == figures.size() ? 0 : i + 1;
  }
  use_decimal_reading = false;
}
void BM_TtroundOld(benchmark::State& state) { run_ttround(state, true); }
void BM_TtroundNew(benchmark::State& state) { run_ttround(state, false); }
BENCHMARK(BM_TtroundOld);
BENCHMARK(BM_TtroundNew);

// 1,000 varied cars of 2022-23, half with fuel, some part of the year: the time per car.
void run_calc(benchmark::State& state, bool decimal_reading) {
  use_decimal_reading = decimal_reading;
  constexpr long kTaxYear = 2023;
  const car_test::YearLimits year = car_test::limits_for(kTaxYear);
  const car_test::Period period = car_test::whole_year(kTaxYear);
  std::vector<TLD_ISYI_CAR> fleet;
  for (int i = 0; i < 1000; ++i) {
    TLD_ISYI_CAR car = car_test::make_car(15000 + (i % 400) * 125.0, (i * 7) % 260, static_cast<short>(1 + i % 9));
    car_test::set_flag(car.fuelProvided, i % 2 == 0);
    car.availableFrom = i % 5 == 0 ? period.start + i % 300 : 0;
    car.registeredDate = period.start - 200 - i % 3000;
    car.capitalContribution = i % 3 == 0 ? 1500 : 0;
    fleet.push_back(car);
  }
  CAR_SUMS sums;
  for (auto _ : state) {
    for (TLD_ISYI_CAR& car : fleet) {
      benchmark::DoNotOptimize(CarBenefits::Calc(sums, &car, &year.limits, year.co2BandCount, kTaxYear, period.start,
                                                 period.end, year.rangeBandCount));
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(fleet.size()));
  use_decimal_reading = false;
}
void BM_CalcPerCarOld(benchmark::State& state) { run_calc(state, true); }
void BM_CalcPerCarNew(benchmark::State& state) { run_calc(state, false); }
BENCHMARK(BM_CalcPerCarOld)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CalcPerCarNew)->Unit(benchmark::kMicrosecond);

}  // namespace
