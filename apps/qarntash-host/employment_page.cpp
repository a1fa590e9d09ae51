#include "employment_page.h"

#include <array>
#include <cstdio>
#include <cstring>

#include "platform/dates.h"
#include "platform/report_printer.h"
#include "platform/rounding.h"
#include "qarntash/qarntash.h"

namespace host {

namespace {

constexpr char kReportName[] = "Company Car Benefit";
constexpr std::uint16_t kDescription = 1;
constexpr std::uint16_t kAmount = 1001;
constexpr std::uint16_t kPageWidth = 80;
constexpr int kTitle = 20;
constexpr int kTotal = 41;

bool is_yes(const char (&flag)[2]) { return flag[0] == 'Y'; }

std::string date_text(long day_number) { return fpw_DATE_VALUE(day_number).string_value(); }

std::string year_label(long tax_year) {
  char text[48];
  std::snprintf(text, sizeof text, "%ld-%02ld", tax_year - 1, tax_year % 100);
  return text;
}

// A percentage as a person writes it: 26%, 12.5%.
std::string percent_text(double percentage) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", ttround(percentage, 2, 2));
  std::string shown = text;
  while (shown.back() == '0') shown.pop_back();
  if (shown.back() == '.') shown.pop_back();
  return shown + "%";
}

// An amount inside a description: £25,300.00.
std::string money_text(double amount) {
  char digits[64];
  std::snprintf(digits, sizeof digits, "%.2f", ttround(amount, 2, 2));
  const std::string text = digits;
  const std::size_t whole = text.find('.');
  std::string shown;
  for (std::size_t i = 0; i < whole; ++i) {
    if (i > 0 && (whole - i) % 3 == 0 && text[i - 1] != '-') shown += ',';
    shown += text[i];
  }
  return "\xC2\xA3" + shown + text.substr(whole);
}

// One line of the page: a description and, in the money column, an amount.
void line(classRP_COLUMN& page, const std::string& description, double amount, int attribute = 0) {
  const mm_buffer money{amount, 0};
  page.Print(kDescription, description.c_str(), attribute);
  page.Print(kAmount, &money, attribute);
  page.Print("\n");
}

void text_line(classRP_COLUMN& page, const std::string& text, int attribute = 0) {
  page.Print(text.c_str(), attribute);
  page.Print("\n");
}

void print_car(classRP_COLUMN& page, const CarBenefitPage& figures) {
  const TLD_ISYI_CAR& car = figures.car;
  const CAR_SUMS& sums = figures.sums;
  line(page, "List price", car.listPrice);
  if (car.accessories != 0) line(page, "Accessories", car.accessories);
  line(page, "Price", sums.price);
  if (sums.capitalContribution != 0) line(page, "Less capital contributions", -sums.capitalContribution);
  line(page, "Price for the benefit", sums.netPrice);
  std::string basis;
  if (is_yes(car.noCo2Figure)) {
    basis = " (no CO2 figure)";
  } else if (car.co2 > 0) {
    basis = " (CO2 " + std::to_string(static_cast<long>(car.co2)) + " g/km)";
  }
  line(page, "Cash equivalent at " + percent_text(sums.percentage) + basis, sums.fullBenefit);
  if (sums.mileageReduction != 0) line(page, "Less business mileage reduction", -sums.mileageReduction);
  if (sums.olderCarReductionAmount != 0) line(page, "Less older car reduction", -sums.olderCarReductionAmount);
  if (sums.unavailableReduction != 0) {
    line(page, "Less " + std::to_string(sums.carDaysUnavailable) + " days unavailable", -sums.unavailableReduction);
  }
  if (car.privateUsePayments != 0) line(page, "Less payments for private use", -car.privateUsePayments);
  if (is_yes(car.alternativeAmounts)) {
    line(page, "Salary given up for the car (alternative amount)", car.carAlternativeAmount);
  }
  line(page, "Car benefit", sums.carBenefit, kTotal);
}

void print_fuel(classRP_COLUMN& page, const CarBenefitPage& figures) {
  const CAR_SUMS& sums = figures.sums;
  if (!is_yes(figures.car.fuelProvided)) {
    text_line(page, "No private fuel provided: no fuel benefit.");
    return;
  }
  // From 2003-04 the fuel benefit is the car's percentage of the year's fuel multiplier; before,
  // a scale charge by fuel and engine size.
  const double multiplier = figures.limits.fuelMultiplier;
  const bool by_multiplier = multiplier != 0;
  const std::string basis =
      by_multiplier ? "Fuel benefit at " + percent_text(sums.percentage) + " of " + money_text(multiplier)
                    : "Fuel scale charge: " +
                          std::string(sums.fuelScaleText, strnlen(sums.fuelScaleText, sizeof sums.fuelScaleText));
  const double full = by_multiplier ? ttround(sums.percentage * multiplier / 100.0, 2, 2)
                                    : sums.fuelBenefit + sums.fuelUnavailableReduction;
  // What the period without fuel took off, as the figures show it.
  const double reduction = ttround(full - sums.fuelBenefit, 2, 2);
  if (reduction > 0) {
    line(page, basis, full);
    line(page, "Less days without fuel", -reduction);
    line(page, "Fuel benefit", sums.fuelBenefit, kTotal);
  } else {
    line(page, basis, sums.fuelBenefit, kTotal);
  }
}

}  // namespace

CarBenefitPage work_out_car_benefit(const TLD_ISYI_CAR& car, const TLD_0501_CAR_LIMITS& limits, int co2_band_count,
                                    int electric_band_count, long tax_year, long period_start, long period_end) {
  CarBenefitPage page;
  page.tax_year = tax_year;
  page.period_start = period_start;
  page.period_end = period_end;
  page.car = car;
  page.limits = limits;
  CarBenefits::Calc(page.sums, &page.car, &page.limits, co2_band_count, tax_year, period_start, period_end,
                    electric_band_count);
  return page;
}

bool print_car_benefit_report(const CarBenefitPage& figures) {
  std::array<char, kRpSettingsSize> settings{};
  std::memcpy(settings.data() + kRpSettingsNameOffset, kReportName, sizeof kReportName);
  if (rp_selectoutput("TT REPORT", nullptr, settings.data(), 1, 0, 0) == 0) return false;
  rp_openVV(2, settings.data());
  rp_initshow();
  {
    classCOLUMN_FACTORY factory(kAmount);
    factory.AddDesc(kDescription, 10, 2, 0);
    factory.AddMoney(kAmount, 16, 0, 0);
    factory.ExpandToFit(kDescription, kPageWidth);
    factory.eSetSectionTitle("Employment");
    classRP_COLUMN page(nullptr, nullptr, nullptr, &factory, 0);

    text_line(page, "Company car and fuel benefit, tax year " + year_label(figures.tax_year), kTitle);
    text_line(page, "Period " + date_text(figures.period_start) + " to " + date_text(figures.period_end));
    const TLD_ISYI_CAR& car = figures.car;
    if (car.availableFrom != 0 || car.availableTo != 0) {
      text_line(page, "Car available " + date_text(car.availableFrom != 0 ? car.availableFrom : figures.period_start) +
                          " to " + date_text(car.availableTo != 0 ? car.availableTo : figures.period_end));
    }
    page.Blank(1);
    print_car(page, figures);
    page.Blank(1);
    print_fuel(page, figures);
    page.Blank(1);
    line(page, "Total taxable benefit", ttround(figures.sums.carBenefit + figures.sums.fuelBenefit, 2, 2), kTotal);
  }
  return rp_close(1) == 1;
}

}  // namespace host
