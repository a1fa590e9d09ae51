#include "uitf40_report.h"

#include <array>
#include <cstdio>
#include <cstring>

#include "date_text.h"
#include "platform/report_printer.h"
#include "qarntash/qarntash.h"

namespace host {
namespace {

using Velmar::BusinessRules::Taxation::BusinessTax::CUITF40Adjustment;
using Velmar::BusinessRules::Taxation::BusinessTax::CUITF40AdjustmentPeriod;

constexpr char kReportName[] = "UITF 40 Adjustment";
constexpr std::uint16_t kDescription = 1;
constexpr std::uint16_t kDefault = 1001;
constexpr std::uint16_t kTaxed = 1002;
constexpr std::uint16_t kExcess = 1003;
constexpr std::uint16_t kPageWidth = 80;
constexpr std::size_t kMoneyWidth = 14;
constexpr int kTitle = 20;
constexpr int kTotal = 41;

// A caption over a money column, which the printer leaves aligned to the left.
std::string right_aligned(const std::string& caption) {
  return std::string(kMoneyWidth > caption.size() ? kMoneyWidth - caption.size() : 0, ' ') + caption;
}

void money(classRP_COLUMN& page, std::uint16_t column, double amount, int attribute = 0) {
  const mm_buffer value{amount, 0};
  page.Print(column, &value, attribute);
}

void period_line(classRP_COLUMN& page, const CUITF40AdjustmentPeriod& period) {
  page.Print(kDescription, period.GetText().c_str());
  money(page, kDefault, period.GetDefaultAmount());
  money(page, kTaxed, period.GetAmountTaxed());
  if (period.IsOverridden()) money(page, kExcess, period.GetExcessOverDefault());
  page.Print("\n");
}

}  // namespace

bool print_uitf40_report(const std::string& whose, long tax_year, CUITF40Adjustment& adjustment) {
  adjustment.Compute();
  std::array<char, kRpSettingsSize> settings{};
  std::memcpy(settings.data() + kRpSettingsNameOffset, kReportName, sizeof kReportName);
  if (rp_selectoutput("TT REPORT", nullptr, settings.data(), 1, 0, 0) == 0) return false;
  rp_openVV(2, settings.data());
  rp_initshow();
  {
    classCOLUMN_FACTORY factory(kExcess);
    factory.AddDesc(kDescription, 10, 2, 0);
    factory.AddMoney(kDefault, kMoneyWidth, 1, 0);
    factory.AddMoney(kTaxed, kMoneyWidth, 1, 0);
    factory.AddMoney(kExcess, kMoneyWidth, 1, 0);
    factory.ExpandToFit(kDescription, kPageWidth);
    classRP_COLUMN page(nullptr, nullptr, nullptr, &factory, 0);

    page.Print(("UITF 40 adjustment, " + tax_year_label(tax_year) + "\n").c_str(), kTitle);
    page.Print((whose + "\n").c_str());
    page.Print(kDescription, "Total adjustment");
    money(page, kExcess, adjustment.GetTotalAdjustment());
    page.Print("\n");
    if (adjustment.HasFirstYearChoice()) {
      page.Print(("First tax year for adjustment " + tax_year_label(adjustment.GetFirstYearOfAdjustment()) + "\n").c_str());
    }
    page.Blank(1);
    page.Print(kDescription, adjustment.GetPeriodHeading().c_str(), kTotal);
    page.Print(kDefault, right_aligned("Default").c_str(), kTotal);
    page.Print(kTaxed, right_aligned("Amount taxed").c_str(), kTotal);
    page.Print(kExcess, right_aligned("Excess").c_str(), kTotal);
    page.Print("\n");
    long current = 0;
    for (int i = 1; i <= adjustment.GetNumberOfPeriods(); ++i) {
      const CUITF40AdjustmentPeriod& period = *adjustment.GetPeriod(i);
      if (current == 0 && period.GetTaxYear() == tax_year) current = i;
      period_line(page, period);
    }
    page.Blank(1);
    page.Print(kDescription, adjustment.GetTotalPaidLabel().c_str(), kTotal);
    money(page, kTaxed, adjustment.GetTotalPaymentsForAllPeriods(), kTotal);
    page.Print("\n");
    page.Print(kDescription, adjustment.GetUntaxedLabel(tax_year).c_str());
    money(page, kTaxed, adjustment.TotalUntaxedAtEndOfPeriod(current));
    page.Print("\n");
  }
  return rp_close(1) == 1;
}

}  // namespace host
