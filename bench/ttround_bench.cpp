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
  }
  return figures;
}

// Exact halves in decimal (2.675 is just below the half in binary): each takes the decimal reading.
std::vector<double> half_figures() {
  std::vector<double> figures;
  for (int i = 0; i < 1024; ++i) figures.push_back(2.675 + i);
  return figures;
}

void run_ttround(benchmark::State& state, bool decimal_reading, const std::vector<double>& figures) {
  use_decimal_reading = decimal_reading;
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ttround(figures[i], i % 2 == 0 ? 2 : 0, 2));
    i = i + 1 == figures.size() ? 0 : i + 1;
  }
  use_decimal_reading = false;
}
void BM_TtroundOld(benchmark::State& state) { run_ttround(state, true, money_figures()); }
void BM_TtroundNew(benchmark::State& state) { run_ttround(state, false, money_figures()); }
void BM_TtroundNewAtExactHalves(benchmark::State& state) { run_ttround(state, false, half_figures()); }
BENCHMARK(BM_TtroundOld);
BENCHMARK(BM_TtroundNew);
BENCHMARK(BM_TtroundNewAtExactHalves);

// 1,000 varied cars of 2022-23, half with fuel, some part of the year: the time per car.
void run_calc(benchmark::State& state, bool decimal_reading) {
  use_decimal_reading = decimal_reading;
  constexpr long kTaxYear = 2023;
  const car_test::YearLimits year = car_test::limits_for(kTaxYear);
  const car_test::Period period = car_test::whole_year(kTaxYear);
  std::vector<TLD_ISYI_CAR> fleet = car_test::varied_fleet(1000, period);
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
