// The host's car benefit inputs: the shipped limits of every tax year, the loader's refusals,
// and a car read from JSON.
#include "car_limits.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <fstream>
#include <functional>
#include <string>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "qarntash/tax_rules/car_benefit.h"
#include "qarntash/tax_rules/tax_year_calendar.h"
#include "support/temporary_folder.h"

namespace {

using test_support::day_number;
using test_support::TemporaryFolder;

const std::string kDataFile = std::string(QARNTASH_HOST_DATA_DIR) + "/car_benefit_limits.json";

struct Loaded {
  TLD_0501_CAR_LIMITS limits;
  int co2 = 0;
  int range = 0;
};

Loaded load(long year) {
  Loaded loaded;
  std::string error;
  EXPECT_TRUE(host::load_car_limits(kDataFile, year, loaded.limits, loaded.co2, loaded.range, error))
      << year << ": " << error;
  return loaded;
}

// ---- The shipped data file -------------------------------------------------------------------

TEST(ShippedCarLimits, EveryYearFrom2003To2029LoadsWithSourcesAndOrderedTables) {
  for (long year = 2003; year <= 2029; ++year) {
    const Loaded loaded = load(year);
    EXPECT_GE(loaded.co2, 18) << year;
    EXPECT_DOUBLE_EQ(loaded.limits.contributionCap, 5000) << year;
    EXPECT_DOUBLE_EQ(loaded.limits.priceCap, year < 2012 ? 80000 : 0) << year;
    EXPECT_EQ(loaded.range, year >= 2021 && year <= 2028 ? 5 : 0) << year;
    const double maximum = year < 2016 ? 35 : year < 2029 ? 37 : 38;
    for (int i = 0; i < loaded.co2; ++i) {
      const CarCo2Band& band = loaded.limits.co2Bands[i];
      EXPECT_LE(band.percentage + band.dieselSupplement, maximum) << year << " band " << i;
      if (i > 0) {
        EXPECT_GE(double{band.percentage}, double{loaded.limits.co2Bands[i - 1].percentage}) << year << " band " << i;
      }
    }
    EXPECT_DOUBLE_EQ(loaded.limits.co2Bands[loaded.co2 - 1].percentage, maximum) << year;

    host::CarLimitsNotes notes;
    std::string error;
    ASSERT_TRUE(host::read_car_limits_notes(kDataFile, year, notes, error)) << error;
    EXPECT_FALSE(notes.sources.empty()) << year;
    EXPECT_EQ(notes.label, std::to_string(year - 1) + "-" + std::to_string(year).substr(2)) << year;
  }
}

// Published figures a reader can check: EIM25580 (fuel multipliers), SI 2002/706 (2002-03 fuel
// scale charges), EIM24650 / 480 Appendix 2 (bands).
TEST(ShippedCarLimits, PublishedFiguresOfSomeYears) {
  const Loaded y2003 = load(2003);
  EXPECT_DOUBLE_EQ(y2003.limits.fuelScalePetrolSmall, 2240);
  EXPECT_DOUBLE_EQ(y2003.limits.fuelScalePetrolMedium, 2850);
  EXPECT_DOUBLE_EQ(y2003.limits.fuelScalePetrolLarge, 4200);
  EXPECT_DOUBLE_EQ(y2003.limits.fuelScaleDieselSmall, 2850);
  EXPECT_DOUBLE_EQ(y2003.limits.fuelScaleDieselLarge, 4200);
  EXPECT_DOUBLE_EQ(y2003.limits.fuelScaleOther, 4200);
  EXPECT_EQ(long{y2003.limits.co2Bands[1].lowerBound}, 165);  // the lower threshold
  EXPECT_DOUBLE_EQ(load(2004).limits.fuelMultiplier, 14400);
  EXPECT_DOUBLE_EQ(load(2012).limits.fuelMultiplier, 18800);
  EXPECT_DOUBLE_EQ(load(2023).limits.fuelMultiplier, 25300);
  EXPECT_DOUBLE_EQ(load(2027).limits.fuelMultiplier, 29200);
  EXPECT_EQ(long{load(2011).limits.co2Bands[2].lowerBound}, 121);  // the discount threshold of 2010-11
  const Loaded y2021 = load(2021);
  EXPECT_EQ(long{y2021.limits.electricRangeBands[1].lowerBound}, 30);
  EXPECT_DOUBLE_EQ(y2021.limits.electricRangeBands[1].percentage, 10);
}

TEST(ShippedCarLimits, UnpublishedFuelMultipliersOf2028And2029AreNamed) {
  host::CarLimitsNotes notes;
  std::string error;
  for (long year : {2028L, 2029L}) {
    EXPECT_DOUBLE_EQ(load(year).limits.fuelMultiplier, 0) << year;
    ASSERT_TRUE(host::read_car_limits_notes(kDataFile, year, notes, error));
    ASSERT_EQ(notes.unpublished.size(), 1u) << year;
    EXPECT_EQ(notes.unpublished[0], "fuelMultiplier") << year;
    EXPECT_EQ(notes.status, "confirmed_with_caveat") << year;
  }
  ASSERT_TRUE(host::read_car_limits_notes(kDataFile, 2027, notes, error));
  EXPECT_TRUE(notes.unpublished.empty());
}

// A whole calculation on the shipped 2022-23 limits, worked by hand from the 480 guide:
// 30,000 pounds, 120 g/km (29%): 8,700; fuel 29% x 25,300 = 7,337.
TEST(ShippedCarLimits, CalculationOnTheLoadedYear) {
  const Loaded y2023 = load(2023);
  TLD_ISYI_CAR car;
  std::string error;
  ASSERT_TRUE(host::read_car_json(R"({"listPrice": 30000, "co2": 120, "fuelType": 1, "fuelProvided": "Y",
                                      "registeredDate": "2021-03-01"})",
                                  car, error))
      << error;
  CAR_SUMS sums;
  const double benefit = CarBenefits::Calc(sums, &car, &y2023.limits, y2023.co2, 2023, CDateToolKit::getTaxYrStart(2023),
                                           CDateToolKit::getTaxYrEnd(2023), y2023.range);
  EXPECT_DOUBLE_EQ(benefit, 8700);
  EXPECT_DOUBLE_EQ(sums.fuelBenefit, 7337);
}

// The shipped 2020-21 and 2021-22 tables are those of cars registered from 6 April 2020; with the
// library's transitional addition an older car takes the published older-car figure: 120 g/km is
// 27% + 2 in 2020-21 and 28% + 1 in 2021-22, both 29% (480 App. 2); 2022-23 has one table: 29%.
TEST(ShippedCarLimits, OlderCarsTakeThePublishedTransitionalFigures) {
  const struct { long year; const char* registered; double percentage; } cases[] = {
      {2021, "2020-04-05", 29}, {2021, "2020-04-06", 27}, {2022, "2020-04-05", 29},
      {2022, "2020-04-06", 28}, {2023, "2020-04-05", 29}, {2023, "2020-04-06", 29},
  };
  for (const auto& c : cases) {
    const Loaded loaded = load(c.year);
    TLD_ISYI_CAR car;
    std::string error;
    ASSERT_TRUE(host::read_car_json(std::string(R"({"listPrice": 10000, "co2": 120, "fuelType": 1, "registeredDate": ")") +
                                        c.registered + "\"}",
                                    car, error))
        << error;
    CAR_SUMS sums;
    CarBenefits::Calc(sums, &car, &loaded.limits, loaded.co2, c.year, CDateToolKit::getTaxYrStart(c.year),
                      CDateToolKit::getTaxYrEnd(c.year), loaded.range);
    EXPECT_DOUBLE_EQ(sums.percentage, c.percentage) << c.year << " " << c.registered;
  }
}

// 2028-29 on the shipped limits at every CO2 figure, against FA 2025 s5 as it states the table:
// 0 g/km 7%; 1-50 18% whatever the range; 51-54 19, 55-59 20, 60-64 21, 65-74 22; from 75 g/km
// 22% and 1 more for each full 5 g/km; diesel 4 more; never above 38. Without a CO2 figure the
// engine-size figures are 25, 36 and 38.
TEST(ShippedCarLimits, TaxYear2029AtEveryCo2Figure) {
  const Loaded y2029 = load(2029);
  const long start = CDateToolKit::getTaxYrStart(2029), end = CDateToolKit::getTaxYrEnd(2029);
  for (int co2 = 0; co2 <= 320; ++co2) {
    const double law = co2 == 0 ? 7 : co2 <= 50 ? 18 : co2 < 55 ? 19 : co2 < 60 ? 20 : co2 < 65 ? 21 : co2 < 75 ? 22
                                                                                    : 22 + (co2 - 75) / 5;
    for (short fuel : {short{1}, short{2}}) {
      TLD_ISYI_CAR car{};
      car.listPrice = 10000;
      car.co2 = co2 + 0.9;  // figures are rounded down to whole g/km
      car.electricRange = 200;
      car.fuelType = co2 == 0 ? 5 : fuel;
      car.registeredDate = day_number(1, 1, 2019);
      CAR_SUMS sums;
      CarBenefits::Calc(sums, &car, &y2029.limits, y2029.co2, 2029, start, end, y2029.range);
      const double expected = std::min(law + (fuel == 2 && co2 > 0 ? 4 : 0), 38.0);
      ASSERT_DOUBLE_EQ(sums.percentage, expected) << co2 << " g/km, fuel " << fuel;
    }
  }
  TLD_ISYI_CAR car{};
  car.listPrice = 10000;
  car.fuelType = 1;
  car.noCo2Figure[0] = 'Y';
  car.registeredDate = day_number(1, 1, 2010);
  for (const auto& [engine, percentage] : {std::pair<short, double>{1, 25}, {2, 36}, {3, 38}}) {
    car.engineCode = engine;
    CAR_SUMS sums;
    CarBenefits::Calc(sums, &car, &y2029.limits, y2029.co2, 2029, start, end, y2029.range);
    EXPECT_DOUBLE_EQ(sums.percentage, percentage) << "engine code " << engine;
  }
}

// ---- Refusals --------------------------------------------------------------------------------

using nlohmann::json;

class CarLimitsFile : public ::testing::Test {
 protected:
  std::string write(const json& limits) {
    const std::string path = folder_.string() + "/limits.json";
    std::ofstream(path) << json{{"years", {{"2023", {{"label", "2022-23"}, {"limits", limits}}}}}}.dump();
    return path;
  }
  TemporaryFolder folder_;
};

json valid_limits() {
  return json::parse(R"({"flatPercentage": 0, "priceCap": 0, "contributionCap": 5000,
    "replacementPriceThreshold": 15000, "fuelScaleOther": 0, "fuelScaleDieselSmall": 0,
    "fuelScaleDieselLarge": 0, "fuelScalePetrolSmall": 0, "fuelScalePetrolMedium": 0,
    "fuelScalePetrolLarge": 0, "mileageReduction1": 0, "mileageReduction2": 0, "olderCarAge": 0,
    "olderCarReduction": 0, "fuelMultiplier": 25300, "co2Bands": [[0, 2, 4], [51, 15, 4]],
    "electricRangeBands": [[0, 14]]})");
}

TEST_F(CarLimitsFile, ValidFileLoads) {
  TLD_0501_CAR_LIMITS limits;
  int co2 = 0, range = 0;
  std::string error;
  ASSERT_TRUE(host::load_car_limits(write(valid_limits()), 2023, limits, co2, range, error)) << error;
  EXPECT_EQ(co2, 2);
  EXPECT_EQ(range, 1);
  EXPECT_DOUBLE_EQ(limits.co2Bands[1].dieselSupplement, 4);
  EXPECT_DOUBLE_EQ(limits.electricRangeBands[0].percentage, 14);
  EXPECT_EQ(long{limits.electricRangeBands[1].lowerBound}, 0);
}

TEST_F(CarLimitsFile, BadFilesAreRefusedWithAReasonAndChangeNothing) {
  const struct { const char* name; std::function<void(json&)> spoil; long year; const char* reason; } cases[] = {
      {"no such year", [](json&) {}, 2024, "no car benefit limits for tax year 2024"},
      {"unknown key", [](json& l) { l["priceCaps"] = 0; }, 2023, "unknown limit \"priceCaps\""},
      {"missing key", [](json& l) { l.erase("priceCap"); }, 2023, "no \"priceCap\""},
      {"missing table", [](json& l) { l.erase("electricRangeBands"); }, 2023, "no \"electricRangeBands\""},
      {"text for a number", [](json& l) { l["priceCap"] = "80000"; }, 2023, "\"priceCap\" must be a number"},
      {"negative", [](json& l) { l["priceCap"] = -1; }, 2023, "\"priceCap\" must be a number"},
      {"age not whole", [](json& l) { l["olderCarAge"] = 1.5; }, 2023, "olderCarAge"},
      {"bands out of order", [](json& l) { l["co2Bands"][1][0] = 0; }, 2023, "co2Bands band 2 is not above"},
      {"band too short", [](json& l) { l["co2Bands"][0] = json::array({0, 2}); }, 2023, "co2Bands band 1 must be 3"},
      {"bound not whole", [](json& l) { l["electricRangeBands"][0][0] = 0.5; }, 2023, "electricRangeBands band 1"},
      {"table not an array", [](json& l) { l["co2Bands"] = 3; }, 2023, "co2Bands must be an array"},
  };
  for (const auto& c : cases) {
    json limits_json = valid_limits();
    c.spoil(limits_json);
    TLD_0501_CAR_LIMITS limits;
    std::memset(&limits, 0x11, sizeof limits);
    int co2 = -7, range = -7;
    std::string error;
    EXPECT_FALSE(host::load_car_limits(write(limits_json), c.year, limits, co2, range, error)) << c.name;
    EXPECT_NE(error.find(c.reason), std::string::npos) << c.name << ": " << error;
    EXPECT_EQ(co2, -7) << c.name;
    EXPECT_EQ(reinterpret_cast<unsigned char*>(&limits)[0], 0x11) << c.name;
  }
}

TEST_F(CarLimitsFile, TooManyBandsForTheRecordAreRefused) {
  json limits_json = valid_limits();
  limits_json["co2Bands"] = json::array();
  for (int i = 0; i <= kMaxCo2Bands; ++i) limits_json["co2Bands"].push_back({i * 5, 15, 3});
  TLD_0501_CAR_LIMITS limits;
  int co2 = 0, range = 0;
  std::string error;
  EXPECT_FALSE(host::load_car_limits(write(limits_json), 2023, limits, co2, range, error));
  EXPECT_NE(error.find("the record holds 31"), std::string::npos) << error;
}

TEST(CarLimitsFileRefusals, MissingOrMalformedFile) {
  TemporaryFolder folder;
  TLD_0501_CAR_LIMITS limits;
  int co2 = 0, range = 0;
  std::string error;
  EXPECT_FALSE(host::load_car_limits(folder.string() + "/none.json", 2023, limits, co2, range, error));
  EXPECT_NE(error.find("cannot read"), std::string::npos);
  const std::string path = folder.string() + "/bad.json";
  std::ofstream(path) << "{ not json";
  EXPECT_FALSE(host::load_car_limits(path, 2023, limits, co2, range, error));
  EXPECT_NE(error.find("is not a JSON object"), std::string::npos);
}

// ---- A car from JSON -------------------------------------------------------------------------

TEST(CarJson, FillsEveryFieldByItsName) {
  TLD_ISYI_CAR car;
  std::string error;
  ASSERT_TRUE(host::read_car_json(R"({
      "registeredDate": "2019-03-01", "engineCode": 2, "mileageBand": 3, "fuelProvided": "Y",
      "availableFrom": "2022-10-06", "availableTo": "2023-03-31", "fuelType": 2,
      "useReplacementPrice": "Y", "replacementPrice": 20000, "lowerMileageRelief": "N",
      "listPrice": 30000.5, "capitalContribution": 1000, "privateUsePayments": 120, "accessories": 450,
      "co2": 119.5, "noCo2Figure": "N", "fuelFrom": "2022-11-01", "fuelTo": null, "fuelContinues": "Y",
      "extraDaysUnavailable": 4, "alternativeAmounts": "Y", "carAlternativeAmount": 5000,
      "fuelAlternativeAmount": 100, "electricRange": 35})",
                                  car, error))
      << error;
  EXPECT_EQ(long{car.registeredDate}, day_number(1, 3, 2019));
  EXPECT_EQ(long{car.engineCode}, 2);
  EXPECT_EQ(long{car.mileageBand}, 3);
  EXPECT_STREQ(car.fuelProvided, "Y");
  EXPECT_EQ(long{car.availableFrom}, day_number(6, 10, 2022));
  EXPECT_EQ(long{car.availableTo}, day_number(31, 3, 2023));
  EXPECT_EQ(long{car.fuelType}, 2);
  EXPECT_STREQ(car.useReplacementPrice, "Y");
  EXPECT_DOUBLE_EQ(car.replacementPrice, 20000);
  EXPECT_STREQ(car.lowerMileageRelief, "N");
  EXPECT_DOUBLE_EQ(car.listPrice, 30000.5);
  EXPECT_DOUBLE_EQ(car.capitalContribution, 1000);
  EXPECT_DOUBLE_EQ(car.privateUsePayments, 120);
  EXPECT_DOUBLE_EQ(car.accessories, 450);
  EXPECT_DOUBLE_EQ(car.co2, 119.5);
  EXPECT_STREQ(car.noCo2Figure, "N");
  EXPECT_EQ(long{car.fuelFrom}, day_number(1, 11, 2022));
  EXPECT_EQ(long{car.fuelTo}, 0);
  EXPECT_STREQ(car.fuelContinues, "Y");
  EXPECT_EQ(long{car.extraDaysUnavailable}, 4);
  EXPECT_STREQ(car.alternativeAmounts, "Y");
  EXPECT_DOUBLE_EQ(car.carAlternativeAmount, 5000);
  EXPECT_DOUBLE_EQ(car.fuelAlternativeAmount, 100);
  EXPECT_DOUBLE_EQ(car.electricRange, 35);
}

TEST(CarJson, FieldsNotGivenAreZeroAndFlagsNo) {
  TLD_ISYI_CAR car;
  std::memset(&car, 0x33, sizeof car);
  std::string error;
  ASSERT_TRUE(host::read_car_json("{}", car, error));
  EXPECT_DOUBLE_EQ(car.listPrice, 0);
  EXPECT_EQ(long{car.registeredDate}, 0);
  EXPECT_STREQ(car.fuelProvided, "N");
  EXPECT_STREQ(car.alternativeAmounts, "N");
  EXPECT_EQ(car.unused0[0], 0);
}

TEST(CarJson, BadInputIsRefusedNamingTheKeyAndLeavesTheCar) {
  const struct { const char* json; const char* reason; } cases[] = {
      {R"({"listprice": 1})", "unknown car field \"listprice\""},
      {R"({"unused0": 1})", "unknown car field \"unused0\""},
      {R"({"fuelProvided": "y"})", "\"fuelProvided\" must be \"Y\" or \"N\""},
      {R"({"fuelProvided": true})", "\"fuelProvided\" must be"},
      {R"({"registeredDate": "01/03/2019"})", "\"registeredDate\" must be a date"},
      {R"({"registeredDate": "2019-02-29"})", "\"registeredDate\" must be a date"},
      {R"({"registeredDate": 43000})", "\"registeredDate\" must be a date"},
      {R"({"engineCode": 2.5})", "\"engineCode\" must be a whole number"},
      {R"({"fuelType": 40000})", "\"fuelType\" must be a whole number"},
      {R"({"listPrice": "30000"})", "\"listPrice\" must be a number"},
      {R"([1, 2])", "not a JSON object"},
      {R"({"listPrice": )", "not a JSON object"},
  };
  for (const auto& c : cases) {
    TLD_ISYI_CAR car;
    std::memset(&car, 0x33, sizeof car);
    std::string error;
    EXPECT_FALSE(host::read_car_json(c.json, car, error)) << c.json;
    EXPECT_NE(error.find(c.reason), std::string::npos) << c.json << ": " << error;
    EXPECT_EQ(reinterpret_cast<unsigned char*>(&car)[100], 0x33) << c.json;
  }
}

}  // namespace
