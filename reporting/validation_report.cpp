#include "qarntash/reporting/validation_report.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "qarntash/reporting/column_factory.h"
#include "qarntash/reporting/printing_column.h"

namespace {

constexpr char kReportName[] = "Return Validation";
constexpr std::uint16_t kTextColumn = 1;
constexpr std::uint16_t kPageWidth = 80;
constexpr int kTitleAttribute = 20;
constexpr int kHeadingAttribute = 41;
constexpr int kPlainAttribute = 0;

void print_body(classRP_COLUMN& page, const std::list<ReturnValidationMessage>* messages,
                const std::string& returnName) {
  std::string name = returnName;
  name.erase(std::remove(name.begin(), name.end(), ' '), name.end());
  page.Print("Electronic Return Validation Report (", kTitleAttribute);
  page.Print(name.c_str(), kTitleAttribute);
  page.Print(")", kTitleAttribute);
  page.Print("\n");
  page.Print("\n");
  page.Print("This Return will be rejected online by HMRC due to the following entries, please amend and "
             "regenerate the Return before submitting:",
             kPlainAttribute);
  page.Print("\n");
  page.Print("\n");
  if (messages == nullptr) return;
  for (const ReturnValidationMessage& message : *messages) {
    page.Print(message.heading.c_str(), kHeadingAttribute);
    page.Print("\n");
    page.Print(message.text.c_str(), kPlainAttribute);
    page.Print("\n");
    page.Print("\n");
  }
}

}  // namespace

void DoXmlValidationReport(std::list<ReturnValidationMessage>* messages, std::string returnName,
                           sess_data* session) {
  std::array<char, kRpSettingsSize> settings{};
  std::memcpy(settings.data() + kRpSettingsNameOffset, kReportName, sizeof kReportName);
  if (rp_selectoutput("TT REPORT", session, settings.data(), 1, 0, 0) == 0) return;
  rp_openVV(2, settings.data());
  rp_initshow();
  {
    classCOLUMN_FACTORY factory(kTextColumn);
    factory.AddDesc(kTextColumn, 10, 2, 16);
    factory.ExpandToFit(kTextColumn, kPageWidth);
    classRP_COLUMN page(nullptr, nullptr, nullptr, factory.GetColumn(), 0);
    print_body(page, messages, returnName);
  }
  rp_close(1);
}
