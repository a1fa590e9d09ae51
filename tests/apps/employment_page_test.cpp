// The host program's employment page of a company car, line by line.
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "car_limits.h"
#include "employment_page.h"
#include "platform/dates.h"
#include "platform/report_printer.h"

namespace {

using Lines = std::vector<std::string>;

const std::string kDataFile = std::string(QARNTASH_HOST_DATA_DIR) + "/car_benefit_limits.json";
const std::string kExampleCar = std::string(QARNTASH_HOST_DATA_DIR) + "/../examples/company_car.json";

TLD_ISYI_CAR car_from(const std::string& json) {
  TLD_ISYI_CAR car{};
  std::string error;
  EXPECT_TRUE(host::read_car_json(json, car, error)) << error;
  return car;
}

std::string file_text(const std::string& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

Lines page_lines(const TLD_ISYI_CAR& car, long tax_year, long from, long to) {
  TLD_0501_CAR_LIMITS limits{};
  int co2_bands = 0;
  int range_bands = 0;
  std::string error;
  EXPECT_TRUE(host::load_car_limits(kDataFile, tax_year, limits, co2_bands, range_bands, error)) << error;
  const host::CarBenefitPage page = host::work_out_car_benefit(car, limits, co2_bands, range_bands, tax_year, from, to);
  platform::ReportPrinterCapture capture;
  EXPECT_TRUE(host::print_car_benefit_report(page));
  return capture.texts();
}

// The example car of apps/qarntash-host/examples, worked by hand in its README: a diesel of
// 118 g/km (RDE2 not met) in 2022-23 takes 28% + 4% = 32%; unavailable 6 April to 30 June,
// 86 days; fuel from 1 July.
TEST(EmploymentPage, ShowsHowTheExampleCarsBenefitsAreWorkedOut) {
  const Lines lines = page_lines(car_from(file_text(kExampleCar)), 2023, fp_builddate(6, 4, 2022),
                                 fp_builddate(5, 4, 2023));
  const Lines expected{
      "Company car and fuel benefit, tax year 2022-23",
      "Period 06/04/2022 to 05/04/2023",
      "Car available 01/07/2022 to 05/04/2023",
      "",
      "List price                                                            £32,500.00",
      "Accessories                                                              £850.00",
      "Price                                                                 £33,350.00",
      "Less capital contributions                                           (£2,000.00)",
      "Price for the benefit                                                 £31,350.00",
      "Cash equivalent at 32% (CO2 118 g/km)                                 £10,032.00",
      "Less 86 days unavailable                                             (£2,363.70)",
      "Less payments for private use                                          (£600.00)",
      "Car benefit                                                            £7,068.30",
      "",
      "Fuel benefit at 32% of £25,300.00                                      £8,096.00",
      "Less days without fuel                                               (£1,907.55)",
      "Fuel benefit                                                           £6,188.45",
      "",
      "Total taxable benefit                                                 £13,256.75",
  };
  ASSERT_EQ(lines.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;
}

TEST(EmploymentPage, SaysSoWhenNoFuelIsProvided) {
  const Lines lines = page_lines(car_from(R"({"listPrice": 30000, "co2": 120, "fuelType": 1})"), 2023,
                                 fp_builddate(6, 4, 2022), fp_builddate(5, 4, 2023));
  const Lines expected{
      "Company car and fuel benefit, tax year 2022-23",
      "Period 06/04/2022 to 05/04/2023",
      "",
      "List price                                                            £30,000.00",
      "Price                                                                 £30,000.00",
      "Price for the benefit                                                 £30,000.00",
      "Cash equivalent at 29% (CO2 120 g/km)                                  £8,700.00",
      "Car benefit                                                            £8,700.00",
      "",
      "No private fuel provided: no fuel benefit.",
      "",
      "Total taxable benefit                                                  £8,700.00",
  };
  EXPECT_EQ(lines, expected);
}

TEST(EmploymentPage, MarksTheTitleAndTotals) {
  TLD_0501_CAR_LIMITS limits{};
  int co2_bands = 0;
  int range_bands = 0;
  std::string error;
  ASSERT_TRUE(host::load_car_limits(kDataFile, 2023, limits, co2_bands, range_bands, error)) << error;
  const auto page = host::work_out_car_benefit(car_from(R"({"listPrice": 30000, "co2": 120, "fuelType": 1})"),
                                               limits, co2_bands, range_bands, 2023, fp_builddate(6, 4, 2022),
                                               fp_builddate(5, 4, 2023));
  platform::ReportPrinterCapture capture;
  ASSERT_TRUE(host::print_car_benefit_report(page));
  const auto& lines = capture.lines();
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[0].spans.at(0).attribute, 20);
  EXPECT_EQ(lines[7].spans.at(0).attribute, 41);  // Car benefit
  EXPECT_TRUE(lines[3].spans.empty());
}

TEST(EmploymentPage, PrintsNothingWhenNoOutputIsChosen) {
  host::CarBenefitPage page;
  platform::ReportPrinterCapture capture;
  capture.refuse_output(true);
  EXPECT_FALSE(host::print_car_benefit_report(page));
  EXPECT_TRUE(capture.lines().empty());
}

}  // namespace
