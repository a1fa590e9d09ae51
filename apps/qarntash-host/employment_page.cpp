#include "employment_page.h"

#include <array>
#include <cstdio>
#include <cstring>

#include "platform/dates.h"
#include "date_text.h"
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

// From 2003-04 the fuel benefit is a percentage of the year's fuel multiplier.
constexpr long kFirstYearOfFuelMultiplier = 2004;

// The library takes the alternative-amount path from 2017-18 when the car carries the flag and an
// amount for the car or for its fuel; the page follows the same choice to show the figures that
// path compared.
constexpr long kFirstYearOfAlternativeAmounts = 2018;

bool alternative_amounts_apply(const CarBenefitPage& figures) {
  const TLD_ISYI_CAR& car = figures.car;
  return figures.tax_year >= kFirstYearOfAlternativeAmounts && is_yes(car.alternativeAmounts) &&
         (car.carAlternativeAmount != 0 || car.fuelAlternativeAmount != 0);
}

// The percentage of an amount in whole pounds, as the alternative-amount path compares it.
double whole_pounds_at(double percentage, double amount) { return ttround(percentage / 100.0 * amount, 0, 2); }

std::string co2_basis(const TLD_ISYI_CAR& car) {
  if (is_yes(car.noCo2Figure)) return " (no CO2 figure)";
  if (car.co2 > 0) return " (CO2 " + std::to_string(static_cast<long>(car.co2)) + " g/km)";
  return "";
}

// A benefit is never negative: when the deductions above exceed what they are taken from, the
// page shows the shortfall added back so that its lines still add up to nil.
void restrict_to_nil(classRP_COLUMN& page, double worked_out) {
  const double shortfall = ttround(worked_out, 2, 2);
  if (shortfall < 0) line(page, "Restricted to nil", -shortfall);
}

// The salary given up for the car, taxed because it exceeds the cash equivalent on the price
// before contributions: the comparison, then the amount less the percentage of the capital
// contributions and the payments for private use.
void print_car_alternative_amount(classRP_COLUMN& page, const CarBenefitPage& figures, double full,
                                  double cash_equivalent) {
  const TLD_ISYI_CAR& car = figures.car;
  const CAR_SUMS& sums = figures.sums;
  line(page, "Cash equivalent at " + percent_text(sums.percentage) + co2_basis(car), full);
  if (sums.unavailableReductionWhole != 0) {
    line(page, "Less " + std::to_string(sums.carDaysUnavailable) + " days unavailable",
         -sums.unavailableReductionWhole);
    line(page, "Cash equivalent", cash_equivalent);
  }
  const double amount = car.carAlternativeAmount;
  const double contributions = whole_pounds_at(sums.percentage, sums.capitalContribution);
  line(page, "Salary given up, larger than the cash equivalent", amount);
  if (contributions != 0) {
    line(page, "Less " + percent_text(sums.percentage) + " of capital contributions", -contributions);
  }
  if (car.privateUsePayments != 0) line(page, "Less payments for private use", -car.privateUsePayments);
  restrict_to_nil(page, amount - contributions - car.privateUsePayments);
  line(page, "Car benefit", sums.carBenefit, kTotal);
}

void print_car(classRP_COLUMN& page, const CarBenefitPage& figures) {
  const TLD_ISYI_CAR& car = figures.car;
  const CAR_SUMS& sums = figures.sums;
  line(page, "List price", car.listPrice);
  if (car.accessories != 0) line(page, "Accessories", car.accessories);
  line(page, "Price", sums.price);

  const bool alternative = alternative_amounts_apply(figures);
  if (alternative) {
    const double full = whole_pounds_at(sums.percentage, sums.price);
    const double cash_equivalent = full - sums.unavailableReductionWhole;
    if (!(cash_equivalent > car.carAlternativeAmount)) {
      print_car_alternative_amount(page, figures, full, cash_equivalent);
      return;
    }
  }

  if (sums.capitalContribution != 0) line(page, "Less capital contributions", -sums.capitalContribution);
  const double before_cap = sums.price - sums.capitalContribution;
  if (sums.netPrice < before_cap) {
    line(page, "Less the excess over the " + money_text(figures.limits.priceCap) + " price cap",
         sums.netPrice - before_cap);
  }
  line(page, "Price for the benefit", sums.netPrice);
  line(page, "Cash equivalent at " + percent_text(sums.percentage) + co2_basis(car), sums.fullBenefit);
  if (sums.mileageReduction != 0) line(page, "Less business mileage reduction", -sums.mileageReduction);
  if (sums.olderCarReductionAmount != 0) line(page, "Less older car reduction", -sums.olderCarReductionAmount);
  if (sums.unavailableReduction != 0) {
    line(page, "Less " + std::to_string(sums.carDaysUnavailable) + " days unavailable", -sums.unavailableReduction);
  }
  if (car.privateUsePayments != 0) line(page, "Less payments for private use", -car.privateUsePayments);
  restrict_to_nil(page, sums.fullBenefit - sums.mileageReduction - sums.olderCarReductionAmount -
                            sums.unavailableReduction - car.privateUsePayments);
  if (alternative && car.carAlternativeAmount != 0) {
    text_line(page, "Salary given up " + money_text(car.carAlternativeAmount) + ": less, so not taxed");
  }
  line(page, "Car benefit", sums.carBenefit, kTotal);
}

void print_fuel(classRP_COLUMN& page, const CarBenefitPage& figures) {
  const TLD_ISYI_CAR& car = figures.car;
  const CAR_SUMS& sums = figures.sums;
  if (!is_yes(car.fuelProvided)) {
    text_line(page, "No private fuel provided: no fuel benefit.");
    return;
  }
  // From 2003-04 the fuel benefit is the car's percentage of the year's fuel multiplier (in whole
  // pounds on the alternative-amount path); before, a scale charge by fuel and engine size.
  // The year decides, as in the library: a multiplier not yet published (0) still gives no scale.
  const bool alternative = alternative_amounts_apply(figures);
  const double multiplier = figures.limits.fuelMultiplier;
  const bool by_multiplier = figures.tax_year >= kFirstYearOfFuelMultiplier;
  const std::string basis =
      by_multiplier ? "Fuel benefit at " + percent_text(sums.percentage) + " of " + money_text(multiplier)
                    : "Fuel scale charge: " +
                          std::string(sums.fuelScaleText, strnlen(sums.fuelScaleText, sizeof sums.fuelScaleText));
  const double full = !by_multiplier ? sums.fuelBenefit + sums.fuelUnavailableReduction
                      : alternative  ? whole_pounds_at(sums.percentage, multiplier)
                                     : ttround(sums.percentage * multiplier / 100.0, 2, 2);
  const double amount = car.fuelAlternativeAmount;
  // The fuel benefit as the days without fuel leave it; on the alternative-amount path the salary
  // given up for fuel is taxed instead when the cash equivalent is not larger.
  const double cash_equivalent = alternative ? full - sums.fuelUnavailableReduction : sums.fuelBenefit;
  const bool compared = alternative && amount != 0;
  const bool amount_taxed = compared && !(cash_equivalent > amount);
  // What the period without fuel took off, as the figures show it.
  const double reduction = ttround(full - cash_equivalent, 2, 2);
  const bool show_working = reduction > 0 || compared;
  if (show_working) line(page, basis, full);
  if (reduction > 0) line(page, "Less days without fuel", -reduction);
  if (amount_taxed) {
    if (reduction > 0) line(page, "Fuel cash equivalent", cash_equivalent);
    line(page, "Salary given up, larger than the cash equivalent", amount);
    restrict_to_nil(page, amount);
  } else {
    restrict_to_nil(page, cash_equivalent);
    if (compared) {
      text_line(page, "Salary given up " + money_text(amount) + ": less, so not taxed");
    }
  }
  line(page, show_working ? "Fuel benefit" : basis, sums.fuelBenefit, kTotal);
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

    text_line(page, "Company car and fuel benefit, tax year " + tax_year_label(figures.tax_year), kTitle);
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
