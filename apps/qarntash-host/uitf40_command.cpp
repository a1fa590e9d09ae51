// `qarntash-host uitf40 partnership|sole-trader|company FILE`: the UITF 40 adjustment screen over
// an adjustment described in a JSON file, run in the terminal; on OK the adjusted instalments are
// printed as a report.
//
//   qarntash-host uitf40 company apps/qarntash-host/examples/uitf40_company.json
//   qarntash-host uitf40 sole-trader examples/uitf40_sole_trader.json --tax-year 2010
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>

#include "commands.h"
#include "platform/window_services.h"
#include "qarntash/screens/uitf40_adjustment_ui.h"
#include "report_output.h"
#include "uitf40_json.h"
#include "uitf40_report.h"

namespace host {
namespace {

using namespace Velmar::BusinessRules::Taxation;
using namespace Velmar::BusinessRules::Taxation::BusinessTax;

// The host program's own references for the business whose adjustment the file describes.
constexpr PMCO_INT_REF kClient{1, 1};
constexpr PMCO_INT_REF kBusiness{1, 2};
constexpr unsigned kUITF40Dialog = 104;

struct Uitf40Options {
  std::string kind;
  std::string file;
  long tax_year = 0;
  std::string output = kDefaultReportFolder;
};

// Passes everything to the user at the terminal and notes whether the UITF 40 screen was left
// with OK: the partnership's and the sole trader's screens do not say.
class OutcomeUser : public platform::User {
 public:
  explicit OutcomeUser(platform::User& person) : person_(person), previous_(platform::set_current_user(this)) {}
  ~OutcomeUser() override { platform::set_current_user(previous_); }
  OutcomeUser(const OutcomeUser&) = delete;
  OutcomeUser& operator=(const OutcomeUser&) = delete;

  char answer(const platform::UserMessage& message) override { return person_.answer(message); }
  void run_form(fp_FORM& form) override {
    person_.run_form(form);
    if (form.state().dialog_id == kUITF40Dialog) ok_ = form.closed_with_ok();
  }
  platform::SpellAnswer check_word(const platform::SpellQuery& query) override { return person_.check_word(query); }
  void show_modeless(const platform::FormState& form) override { person_.show_modeless(form); }
  void modeless_closed() override { person_.modeless_closed(); }
  void show_trivial(const std::string& text) override { person_.show_trivial(text); }

  bool ok() const { return ok_; }

 private:
  platform::User& person_;
  platform::User* previous_;
  bool ok_ = false;
};

UITF40AdjustmentData read_adjustment(Uitf40Options& options) {
  std::ifstream file(options.file);
  if (!file) throw CLI::ValidationError("file", "cannot read " + options.file);
  std::stringstream text;
  text << file.rdbuf();
  UITF40AdjustmentData figures;
  long tax_year = 0;
  std::string error;
  if (!read_uitf40_json(text.str(), options.kind == "company", figures, tax_year, error)) {
    throw CLI::ValidationError("file", options.file + ": " + error);
  }
  if (options.tax_year == 0) options.tax_year = tax_year;
  if (options.tax_year == 0) throw CLI::ValidationError("--tax-year", "give the tax year of the run, here or in the file");
  return figures;
}

// Runs the kind's screen; on OK prints the adjustment as the screen left it.
void run_uitf40(Uitf40Options options) {
  const UITF40AdjustmentData figures = read_adjustment(options);
  use_report_folder(options.output);
  OutcomeUser user(platform::current_user());
  std::unique_ptr<CUITF40Adjustment> saved;
  std::string whose;
  if (options.kind == "partnership") {
    whose = "Partnership";
    CTaxBusinessObjectBroker::SetTradesUITF40(kClient, std::make_shared<CUITF40AdjustmentTrades>(figures));
    CUITF40AdjustmentUI::RunPartnershipScreen(options.tax_year, kClient, 0);
    saved.reset(CUITF40AdjustmentTrades::Clone(*CTaxBusinessObjectBroker::GetTradesUITF40(kClient)));
  } else if (options.kind == "sole-trader") {
    whose = "Sole trader";
    CTaxBusinessObjectBroker::SetSoleTraderUITF40(kClient, kBusiness, figures);
    CUITF40AdjustmentUI::RunSoleTraderScreen(options.tax_year, kClient, kBusiness, figures.profitForThePeriod);
    auto trader = std::make_unique<CUITF40AdjustmentSoleTrader>(kClient, kBusiness, figures.profitForThePeriod);
    trader->Populate();
    saved = std::move(trader);
  } else {
    whose = "Company";
    auto company = std::make_unique<CUITF40AdjustmentCTax>(figures);
    CUITF40AdjustmentUI::RunCorporationScreen(options.tax_year, kClient, 0, *company);
    saved = std::move(company);
  }
  if (!user.ok()) {
    std::cout << "The UITF 40 adjustment is unchanged.\n";
    return;
  }
  if (!saved || !print_uitf40_report(whose, options.tax_year, *saved) || !show_last_report()) {
    throw CLI::RuntimeError(1);
  }
}

}  // namespace

void add_uitf40_command(CLI::App& app) {
  auto options = std::make_shared<Uitf40Options>();
  CLI::App* command = app.add_subcommand(
      "uitf40", "Show and override the instalments of a UITF 40 adjustment described in a JSON file");
  command->add_option("kind", options->kind, "Whose adjustment: partnership, sole-trader or company")
      ->required()
      ->check(CLI::IsMember({"partnership", "sole-trader", "company"}));
  command->add_option("file", options->file, "The adjustment as JSON (see examples/uitf40_*.json)")->required();
  command->add_option("--tax-year", options->tax_year, "Tax year N of the run (6 April N-1 to 5 April N)")
      ->check(CLI::Range(1901, 9999));
  command->add_option("--output", options->output, "Folder for the report")->capture_default_str();
  command->callback([options] { run_uitf40(*options); });
}

}  // namespace host
