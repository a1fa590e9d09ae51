// The host program as its user runs it: whatever no car or date can be is refused with one line
// naming the field and what it takes, and a moved program still finds its limits.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "host_program_runner.h"
#include "support/temporary_folder.h"

namespace {

using test_support::HostRun;
using test_support::TemporaryFolder;
using test_support::run_host;

// A car without its price, fuel type or registration, which the cases below give.
const std::string kCar = "--co2 120 ";
const std::string kPriced = "--list-price 30000 ";
const std::string kPetrol = "--fuel-type 1 ";
const std::string kRegistered = "--registered 2020-01-01 ";
const std::string kWholeCar = kCar + kPriced + kPetrol + kRegistered;

void write(const TemporaryFolder& folder, const char* name, const std::string& text) {
  std::ofstream(folder.string() + "/" + name) << text;
}

TEST(HostProgram, RefusesWhatNoCarOrDateCanBeInOneLine) {
  TemporaryFolder folder;
  write(folder, "deep.json", std::string(100000, '[') + std::string(100000, ']'));
  write(folder, "twice.json", R"({"listPrice": 20000, "listPrice": 30000, "fuelType": 1})");
  write(folder, "days.json", R"({"listPrice": 30000, "fuelType": 1, "extraDaysUnavailable": 400})");
  write(folder, "some_days.json",
        R"({"listPrice": 30000, "fuelType": 1, "availableFrom": "2023-04-01", "extraDaysUnavailable": 6})");
  write(folder, "fuel.json", R"({"listPrice": 30000, "fuelType": 99})");
  write(folder, "no_fuel.json", R"({"listPrice": 30000})");
  write(folder, "price.json", R"({"listPrice": -1, "fuelType": 1})");
  write(folder, "with_nul.json", R"([{"heading": "h", "text": "before\u0000after"}])");
  write(folder, "colour.json", R"([{"heading": "h", "text": "t", "colour": "red"}])");
  std::filesystem::create_directory(folder.path() / "adir");
  const struct {
    std::string arguments;
    const char* message;
  } cases[] = {
      {"car-benefit --car deep.json --tax-year 2023", "nested more than 32 levels deep"},
      {"car-benefit --car adir --tax-year 2023", "adir: not a regular file"},
      {"car-benefit --car twice.json --tax-year 2023", "the key \"listPrice\" is given twice"},
      {"car-benefit --car days.json --tax-year 2023",
       "\"extraDaysUnavailable\" must be a whole number from 0 to 366"},
      {"car-benefit --car some_days.json --tax-year 2023", "6 is more than the 5 days the car was available"},
      {"car-benefit --car fuel.json --tax-year 2023", "\"fuelType\" must be a whole number from 1 to 10"},
      {"car-benefit --car no_fuel.json --tax-year 2023", "\"fuelType\" must be given"},
      {"car-benefit --car price.json --tax-year 2023",
       "\"listPrice\" must be a number from 0 to 100,000,000"},
      {"car-benefit " + kCar + kPetrol + kRegistered + "--list-price -1 --tax-year 2023",
       "--list-price: must be a number from 0 to 100,000,000"},
      {"car-benefit " + kCar + kPetrol + kRegistered + "--list-price 1e15 --tax-year 2023", "not \"1e15\""},
      {"car-benefit " + kCar + kPetrol + kRegistered + "--list-price 100000000.01 --tax-year 2023",
       "to 100,000,000 (pounds)"},
      {"car-benefit " + kCar + kPetrol + kRegistered + "--list-price 0x10 --tax-year 2023", "not \"0x10\""},
      {"car-benefit " + kCar + kPetrol + kRegistered + "--list-price '' --tax-year 2023",
       "--list-price: must be a number"},
      {"car-benefit " + kWholeCar + "--accessories nan --tax-year 2023", "--accessories: must be a number"},
      {"car-benefit " + kWholeCar + "--contribution inf --tax-year 2023", "--contribution: must be a number"},
      {"car-benefit " + kWholeCar + "--payments -5 --tax-year 2023", "--payments: must be a number from 0"},
      {"car-benefit " + kPriced + kPetrol + kRegistered + "--co2 -1 --tax-year 2023",
       "--co2: must be a number from 0 to 1,000 (g/km)"},
      {"car-benefit " + kCar + kPriced + kRegistered + "--fuel-type 0 --tax-year 2023",
       "--fuel-type: must be a whole number from 1 to 10"},
      {"car-benefit " + kWholeCar + "--engine-code 4 --tax-year 2023",
       "--engine-code: must be a whole number from 0 to 3"},
      {"car-benefit " + kWholeCar + "--tax-year ''", "--tax-year: must be a tax year from 2003 to"},
      {"car-benefit " + kWholeCar + "--tax-year 99999999999999999999", "not \"99999999999999999999\""},
      {"car-benefit " + kWholeCar + "--tax-year 2002", "must be a tax year from 2003"},
      {"car-benefit " + kCar + kPriced + kPetrol + "--registered 2023-04-06 --tax-year 2023",
       "registeredDate: 06/04/2023 is after the end"},
      {"car-benefit " + kWholeCar + "--available-from 2023-01-01 --available-to 2022-06-01 --tax-year 2023",
       "availableFrom: 01/01/2023 is after availableTo 01/06/2022"},
      {"car-benefit " + kWholeCar + "--from 2023-01-01 --to 2022-06-01 --tax-year 2023",
       "--from: 01/01/2023 is after --to 01/06/2022"},
      {"car-benefit " + kWholeCar + "--tax-year 2023 --limits adir", "not a regular file"},
      {"tax-year 9999-12-31", "outside the tax years this program can handle"},
      {"tax-year 1900-04-05", "outside the tax years this program can handle"},
      {"validation-report adir", "adir: not a regular file"},
      {"validation-report with_nul.json", "message 1: \"text\" holds a NUL character"},
      {"validation-report colour.json", "message 1: unknown key \"colour\""},
  };
  for (const auto& c : cases) {
    const HostRun run = run_host(folder, c.arguments);
    EXPECT_NE(run.exit_code, 0) << c.arguments;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << c.arguments << "\n" << run.err;
    EXPECT_EQ(run.out, "") << c.arguments;
    EXPECT_LE(std::count(run.err.begin(), run.err.end(), '\n'), 2) << c.arguments << "\n" << run.err;
  }
}

TEST(HostProgram, HelpListsFuelTypesEngineCodesFieldsAndYears) {
  TemporaryFolder folder;
  const HostRun run = run_host(folder, "car-benefit --help");
  EXPECT_EQ(run.exit_code, 0);
  for (const char* text :
       {"10 other, from 2018-19", "5 zero emission", "3 or 0 up to 1,400cc", "extraDaysUnavailable:",
        "fuelAlternativeAmount:", "Tax years of the built-in car benefit limits: 2003 (2002-03) to"}) {
    EXPECT_NE(run.out.find(text), std::string::npos) << text;
  }
}

// The limits are built into the program: a copy far from the source tree works the same.
TEST(HostProgram, MovedProgramStillFindsItsLimits) {
  TemporaryFolder folder;
  const std::filesystem::path program = QARNTASH_HOST_PROGRAM;
  const std::filesystem::path moved = folder.path() / "elsewhere" / program.filename();
  std::filesystem::create_directories(moved.parent_path());
  std::filesystem::copy_file(program, moved);
#if defined(_WIN32)
  for (const char* dll : {"qarntash.dll", "platform.dll"}) {  // a Windows program's DLLs go with it
    std::filesystem::copy_file(program.parent_path() / dll, moved.parent_path() / dll);
  }
#endif
  const HostRun page =
      run_host(folder, "car-benefit " + kWholeCar + "--tax-year 2023 --output reports", moved.string());
  EXPECT_EQ(page.exit_code, 0) << page.err;
  EXPECT_NE(page.out.find("Car benefit"), std::string::npos) << page.out;
}

// `options` and `report-settings` work on the main job's demo practice (written into the
// working folder on first use) unless --data names another practice.
TEST(HostOptions, ShowsAndSetsThePracticeDefaultsOfTheDemoPractice) {
  TemporaryFolder folder;
  HostRun shown = run_host(folder, "options tax-return show");
  ASSERT_EQ(shown.exit_code, 0) << shown.err;
  EXPECT_NE(shown.err.find("Wrote the demo practice into demo-practice"), std::string::npos);
  EXPECT_NE(shown.out.find("return-id: utr\nstatus: final\n"), std::string::npos) << shown.out;

  const HostRun refused = run_host(folder, "options tax-return set status=unrecorded lock-r40=maybe");
  EXPECT_NE(refused.exit_code, 0);
  EXPECT_NE(refused.err.find("\"lock-r40=maybe\": lock-r40 takes yes or no"), std::string::npos) << refused.err;
  EXPECT_EQ(run_host(folder, "options tax-return show").out, shown.out);  // nothing of the list was saved

  const HostRun set = run_host(folder, "options computation set status=unrecorded suppress-agent-details=no");
  ASSERT_EQ(set.exit_code, 0) << set.err;
  shown = run_host(folder, "options computation show --data demo-practice");
  EXPECT_EQ(shown.out,
            "status: unrecorded\ndate-time-stamp: no\nemployment-lock: yes\nsuppress-payment-due-date: no\n"
            "suppress-agent-details: no\n");
  const HostRun report = run_host(folder, "options report show --type 1");
  EXPECT_NE(report.out.find("status: unrecorded\n"), std::string::npos) << report.out;
}

TEST(HostOptions, ReportSettingsPrintsAUsersLayoutAndRefusesAFolderWithoutAPractice) {
  TemporaryFolder folder;
  const HostRun user7 = run_host(folder, "report-settings --user 7");
  ASSERT_EQ(user7.exit_code, 0) << user7.err;
  EXPECT_NE(user7.out.find("header date-text: choice 0, option A 0\n"), std::string::npos) << user7.out;
  EXPECT_NE(user7.out.find("footer page-number: placement 0, choice 2, option A 1\n"), std::string::npos);
  EXPECT_NE(user7.out.find("fly-sheet: width 80, drop 10"), std::string::npos);

  const HostRun elsewhere = run_host(folder, "report-settings --data '" + folder.string() + "'");
  EXPECT_NE(elsewhere.exit_code, 0);
  EXPECT_NE(elsewhere.err.find("holds no practice defaults table"), std::string::npos) << elsewhere.err;
}

}  // namespace
