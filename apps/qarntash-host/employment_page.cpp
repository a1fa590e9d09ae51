#include "employment_page.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/dates.h"
#include "date_text.h"
#include "platform/report_printer.h"
#include "qarntash/qarntash.h"

namespace host {

namespace {

constexpr char kReportName[] = "Company Car Benefit";
constexpr std::uint16_t kDescription = 1;
constexpr std::uint16_t kAmount = 1001;
constexpr std::uint16_t kPageWidth = 80;
// Room for "(£99,999,999,999.99)"; the host refuses a car whose figures would not fit.
constexpr std::uint16_t kMoneyWidth = 20;
constexpr int kTitle = 20;
constexpr int kTotal = 41;

std::string date_text(long day_number) { return fpw_DATE_VALUE(day_number).string_value(); }

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

// The working as the library told it: a blank line between the car, the fuel and the total.
void print_working(classRP_COLUMN& page, const CarBenefitWorking& working) {
  for (std::size_t i = 0; i < working.steps.size(); ++i) {
    const CarBenefitStep& step = working.steps[i];
    if (i > 0 && step.part != working.steps[i - 1].part) page.Blank(1);
    switch (step.kind) {
      case CarBenefitStep::kNote:
        text_line(page, step.description);
        break;
      case CarBenefitStep::kResult:
        line(page, step.description, step.amount, kTotal);
        break;
      case CarBenefitStep::kAmount:
        line(page, step.description, step.amount);
        break;
    }
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
  page.benefit = CarBenefits::CalcWithWorking(page.sums, &page.car, &page.limits, co2_band_count, tax_year,
                                              period_start, period_end, electric_band_count, page.working);
  return page;
}

std::vector<std::string> page_heading(const CarBenefitPage& page) {
  std::vector<std::string> lines{"Company car and fuel benefit, tax year " + tax_year_label(page.tax_year),
                                 "Period " + date_text(page.period_start) + " to " + date_text(page.period_end)};
  const TLD_ISYI_CAR& car = page.car;
  if (car.availableFrom != 0 || car.availableTo != 0) {
    lines.push_back("Car available " + date_text(car.availableFrom != 0 ? car.availableFrom : page.period_start) +
                    " to " + date_text(car.availableTo != 0 ? car.availableTo : page.period_end));
  }
  return lines;
}

bool page_can_show(const CarBenefitPage& page, std::string& error) {
  if (!page.working.computed) {
    error = page.working.steps.empty() ? "the car benefit was not worked out" : page.working.steps.front().description;
    return false;
  }
  for (const CarBenefitStep& step : page.working.steps) {
    if (std::fabs(step.amount) > kLargestPageAmount) {
      error = "\"" + step.description + "\" is too large for the page (at most \xC2\xA3" "99,999,999,999.99)";
      return false;
    }
  }
  return true;
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
    factory.AddMoney(kAmount, kMoneyWidth, 0, 0);
    factory.ExpandToFit(kDescription, kPageWidth);
    factory.eSetSectionTitle("Employment");
    classRP_COLUMN page(nullptr, nullptr, nullptr, &factory, 0);

    const std::vector<std::string> heading = page_heading(figures);
    for (std::size_t i = 0; i < heading.size(); ++i) text_line(page, heading[i], i == 0 ? kTitle : 0);
    page.Blank(1);
    print_working(page, figures.working);
  }
  return rp_close(1) == 1;
}

}  // namespace host
