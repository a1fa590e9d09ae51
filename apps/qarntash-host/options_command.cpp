// `qarntash-host options computation|tax-return|report show|set|edit` and
// `qarntash-host report-settings [--user N]`: the practice's option defaults and a user's report
// layout settings, from a practice folder.
//
//   options computation show                    prints each option as NAME: VALUE
//   options computation set status=final date-time-stamp=yes
//   options computation edit [--product CODE]   the screen, in the terminal; OK saves
//   options report show --type 4 [--stage-complete]
//   options report edit --type 4                the report options screen; prints the choices
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "commands.h"
#include "platform/session.h"
#include "practice_option.h"
#include "qarntash/reporting/report_options.h"
#include "qarntash/reporting/report_settings.h"
#include "qarntash/screens/computation_options.h"
#include "qarntash/screens/tax_return_options.h"

namespace host {

namespace {

// One named option of a value class: how to print it and how to set it from text.
template <class Options>
struct NamedOption {
  const char* name;
  const char* values;  // what `set` takes, for the error message
  std::function<std::string(const Options&)> show;
  std::function<bool(Options&, const std::string&)> set;  // false: not a value it takes
};

bool parse_yes_no(const std::string& text, bool& value) {
  if (text == "yes" || text == "y" || text == "true" || text == "1") return value = true, true;
  if (text == "no" || text == "n" || text == "false" || text == "0") return value = false, true;
  return false;
}

std::string yes_no(bool value) { return value ? "yes" : "no"; }

const char* status_name(Status status) {
  switch (status) {
    case STATUS_FINAL: return "final";
    case STATUS_UNRECORDED: return "unrecorded";
    default: return "interim";
  }
}

bool parse_status(const std::string& text, Status& status) {
  if (text == "final") return status = STATUS_FINAL, true;
  if (text == "interim") return status = STATUS_INTERIM, true;
  if (text == "unrecorded") return status = STATUS_UNRECORDED, true;
  return false;
}

template <class Options>
NamedOption<Options> flag(const char* name, bool (Options::*get)() const, void (Options::*put)(bool)) {
  return {name, "yes or no", [get](const Options& o) { return yes_no((o.*get)()); },
          [put](Options& o, const std::string& text) {
            bool value = false;
            if (!parse_yes_no(text, value)) return false;
            (o.*put)(value);
            return true;
          }};
}

template <class Options>
NamedOption<Options> status(const char* name, Status (Options::*get)() const, void (Options::*put)(Status)) {
  return {name, "final, interim or unrecorded", [get](const Options& o) { return std::string(status_name((o.*get)())); },
          [put](Options& o, const std::string& text) {
            Status value = STATUS_INTERIM;
            if (!parse_status(text, value)) return false;
            (o.*put)(value);
            return true;
          }};
}

std::vector<NamedOption<CComputationOptions>> computation_options() {
  using C = CComputationOptions;
  return {status<C>("status", &C::GetCompStatus, &C::SetCompStatus),
          flag<C>("date-time-stamp", &C::GetDateTimeStamp, &C::SetDateTimeStamp),
          flag<C>("employment-lock", &C::GetEmploymentIOPLockStatus, &C::SetEmploymentIOPLockStatus),
          flag<C>("suppress-payment-due-date", &C::GetSuppressPaymentDueDate, &C::SetSuppressPaymentDueDate),
          flag<C>("suppress-agent-details", &C::GetSuppressAgentDetails, &C::SetSuppressAgentDetails)};
}

std::vector<NamedOption<CTaxReturnOptions>> tax_return_options() {
  using T = CTaxReturnOptions;
  NamedOption<T> return_id{
      "return-id", "client-id, utr or neither",
      [](const T& o) {
        return std::string(o.GetReturnID() == RETURN_ID_CLIENT_UTR ? "utr"
                           : o.GetReturnID() == RETURN_ID_NEITHER  ? "neither"
                                                                   : "client-id");
      },
      [](T& o, const std::string& text) {
        if (text == "client-id") o.SetReturnID(RETURN_ID_CLIENT_ID);
        else if (text == "utr") o.SetReturnID(RETURN_ID_CLIENT_UTR);
        else if (text == "neither") o.SetReturnID(RETURN_ID_NEITHER);
        else return false;
        return true;
      }};
  return {return_id,
          status<T>("status", &T::GetReturnStatus, &T::SetReturnStatus),
          flag<T>("default-date", &T::GetDefaultDate, &T::SetDefaultDate),
          flag<T>("print-phone", &T::GetPrintAPhone, &T::SetPrintAPhone),
          flag<T>("lock-electronic-return", &T::GetElectronicTaxReturnSelection, &T::SetElectronicTaxReturnTick),
          flag<T>("lock-final-return", &T::GetFinalTaxReturnSelection, &T::SetFinalTaxReturnTick),
          flag<T>("lock-r40", &T::GetR40Selection, &T::SetR40TaxReturnTick),
          flag<T>("echecklist-current-figures", &T::GetEChecklistCurrentFiguresSelection,
                  &T::SetEChecklistCurrentFiguresSelection),
          flag<T>("benefit-summaries", &T::GetIncludeBenefitSummaries, &T::SetIncludeBenefitSummariesTick)};
}

template <class Options>
std::string describe(const Options& options, const std::vector<NamedOption<Options>>& named) {
  std::string lines;
  for (const auto& option : named) lines += std::string(option.name) + ": " + option.show(options) + "\n";
  return lines;
}

template <class Options>
void print_options(const Options& options, const std::vector<NamedOption<Options>>& named) {
  std::fputs(describe(options, named).c_str(), stdout);
}

// Applies NAME=VALUE settings to `options`; refuses the whole list at the first bad one, so
// nothing is saved from a half-understood command.
template <class Options>
void apply_settings(Options& options, const std::vector<NamedOption<Options>>& named,
                    const std::vector<std::string>& settings) {
  for (const std::string& setting : settings) {
    const std::size_t equals = setting.find('=');
    const std::string name = setting.substr(0, equals);
    const NamedOption<Options>* found = nullptr;
    for (const auto& option : named) found = option.name == name ? &option : found;
    if (found == nullptr || equals == std::string::npos) {
      std::string known;
      for (const auto& option : named) known += std::string(known.empty() ? "" : ", ") + option.name;
      throw CLI::ValidationError("setting", "\"" + setting + "\" is not NAME=VALUE with NAME one of: " + known);
    }
    if (!found->set(options, setting.substr(equals + 1))) {
      throw CLI::ValidationError("setting", "\"" + setting + "\": " + name + " takes " + found->values);
    }
  }
}

// show, set and edit for one stored value class.
template <class Options>
void add_stored_options(CLI::App* parent, const char* name, const char* description,
                        std::vector<NamedOption<Options>> (*named)(), bool (*run_screen)(),
                        bool takes_product) {
  CLI::App* group = parent->add_subcommand(name, description);
  group->require_subcommand(1);

  CLI::App* show = group->add_subcommand("show", "Print the practice's values");
  const auto show_data = std::make_shared<std::string>();
  add_data_option(show, show_data, WithoutPracticeFolder::demo_practice);
  show->callback([show_data, named] {
    use_practice_folder(*show_data, WithoutPracticeFolder::demo_practice);
    Options options;
    options.Load();
    print_options(options, named());
  });

  CLI::App* set = group->add_subcommand("set", "Change values: NAME=VALUE ...");
  const auto set_data = std::make_shared<std::string>();
  add_data_option(set, set_data, WithoutPracticeFolder::demo_practice);
  auto settings = std::make_shared<std::vector<std::string>>();
  set->add_option("settings", *settings, "NAME=VALUE pairs")->required();
  set->callback([set_data, settings, named] {
    use_practice_folder(*set_data, WithoutPracticeFolder::demo_practice);
    Options options;
    options.Load();
    apply_settings(options, named(), *settings);
    if (!options.Save()) {
      std::fprintf(stderr, "The practice defaults could not be saved.\n");
      throw CLI::RuntimeError(1);
    }
    print_options(options, named());
  });

  CLI::App* edit = group->add_subcommand("edit", "Change the values on the screen; OK saves");
  const auto edit_data = std::make_shared<std::string>();
  add_data_option(edit, edit_data, WithoutPracticeFolder::demo_practice);
  auto product = std::make_shared<std::string>("RUVO");
  if (takes_product) {
    edit->add_option("--product", *product,
                     "The running product: RUVO (personal tax) shows the employment lock, ZORVBTAX (business "
                     "tax) the suppress ticks")
        ->capture_default_str();
  }
  edit->callback([edit_data, product, named, run_screen] {
    use_practice_folder(*edit_data, WithoutPracticeFolder::demo_practice);
    platform::set_session_product(product->c_str());
    const bool saved = run_screen();
    Options after;
    after.Load();
    std::printf("%s\n", saved ? "Saved:" : "Cancelled; nothing was saved:");
    print_options(after, named());
  });
}

// Runs a screen the way its static entry does, telling whether the user left with OK.
template <class Screen>
bool run_screen() {
  Screen screen;
  const bool confirmed = screen.process();
  screen.close();
  return confirmed;
}

void add_report_options(CLI::App* parent) {
  CLI::App* group = parent->add_subcommand("report", "The options of one report, with the practice's defaults");
  group->require_subcommand(1);
  struct Choice {
    int type = 2;
    bool stage_complete = false;
    bool grey = false;
    bool no_allocation = false;
    std::string data;
  };
  auto add_choice = [](CLI::App* command, Choice& choice) {
    command->add_option("--type", choice.type, "Report type 1 to 6")->check(CLI::Range(1, 6))->capture_default_str();
    command->add_flag("--stage-complete", choice.stage_complete, "The client's stage of completion is complete");
    command->add_option("--data", choice.data, "The practice folder");
  };
  auto print = [](const CReportOptions& options) {
    std::printf("type: %d\nstatus: %s\nprint-blank: %s\npayment-on-account: %s\nallocation-of-allowances: %s\n",
                static_cast<int>(options.GetReportType()), status_name(options.GetReportStatus()),
                yes_no(options.GetPrintBlank()).c_str(), yes_no(options.GetPaymentOnAcount()).c_str(),
                yes_no(options.GetAllocationOfAllowances()).c_str());
    std::printf("stage-of-completion: %s\n", options.GetStageOfComp().c_str());
  };

  auto shown = std::make_shared<Choice>();
  CLI::App* show = group->add_subcommand("show", "Print a new report's options");
  add_choice(show, *shown);
  show->callback([shown, print] {
    use_practice_folder(shown->data, WithoutPracticeFolder::demo_practice);
    print(CReportOptions(static_cast<ReportType>(shown->type), shown->stage_complete));
  });

  CLI::App* set = group->add_subcommand("set", "Report options are chosen per report and not stored");
  set->allow_extras();
  set->callback([] {
    throw CLI::ValidationError("set",
                               "report options are chosen for each report and not stored: use `options report "
                               "edit`, or set the practice's default status with `options computation set` or "
                               "`options tax-return set`");
  });

  auto edited = std::make_shared<Choice>();
  CLI::App* edit = group->add_subcommand("edit", "Choose a report's options on the screen");
  add_choice(edit, *edited);
  edit->add_flag("--grey-status", edited->grey, "The status cannot be changed");
  edit->add_flag("--no-allocation", edited->no_allocation, "The report has no allocation of allowances");
  edit->callback([edited, print] {
    use_practice_folder(edited->data, WithoutPracticeFolder::demo_practice);
    CReportOptions options(static_cast<ReportType>(edited->type), edited->stage_complete);
    options.SetGreyAdminOptions(edited->grey);
    if (edited->no_allocation) options.SetAllocationOfAllowances(false);
    std::printf("%s\n", CReportOptionsUI::doReportOptionsScreen(options) ? "Confirmed:" : "Cancelled:");
    print(options);
  });
}

}  // namespace

void add_options_command(CLI::App& app) {
  CLI::App* options = app.add_subcommand("options", "The practice's option defaults: show, set or edit them");
  options->require_subcommand(1);
  add_stored_options<CComputationOptions>(options, "computation", "Computation options (practice defaults)",
                                          computation_options, run_screen<CComputationOptionsUI>,
                                          true);
  add_stored_options<CTaxReturnOptions>(options, "tax-return", "Tax return options (practice defaults)",
                                        tax_return_options, run_screen<CTaxReturnOptionsUI>, false);
  add_report_options(options);
}

void add_report_settings_command(CLI::App& app) {
  CLI::App* command = app.add_subcommand("report-settings", "Print a user's report layout settings");
  auto user = std::make_shared<int>(0);
  command->add_option("--user", *user, "The user (0: the practice's own)")->check(CLI::Range(0, 32767))->capture_default_str();
  const auto data = std::make_shared<std::string>();
  add_data_option(command, data, WithoutPracticeFolder::demo_practice);
  command->callback([user, data] {
    use_practice_folder(*data, WithoutPracticeFolder::demo_practice);
    const auto id = static_cast<short>(*user);
    CHeaderSettings::SetUserID(id);
    CFooterSettings::SetUserID(id);
    CFlySheetSettings::SetUserID(id);
    CHeaderSettings::Invalidate();
    CFooterSettings::Invalidate();
    CFlySheetSettings::Invalidate();
    const CHeaderSettings* header = CHeaderSettings::Instance();
    const CFooterSettings* footer = CFooterSettings::Instance();
    const CFlySheetSettings* fly = CFlySheetSettings::Instance();
    if (header == nullptr || footer == nullptr || fly == nullptr) throw CLI::RuntimeError(1);
    const CReportHeadings& h = header->m_Headings;
    std::printf("user: %d\n", *user);
    std::printf("header client-name: choice %d, option A %d, option B %d, enabled %d\n",
                int{h.m_ClientName.m_Choice}, int{h.m_ClientName.m_OptionA}, int{h.m_ClientName.m_OptionB},
                int{h.m_ClientName.m_Enabled});
    std::printf("header report-title: choice %d, option A %d, option B %d, enabled %d\n",
                int{h.m_ReportTitle.m_Choice}, int{h.m_ReportTitle.m_OptionA}, int{h.m_ReportTitle.m_OptionB},
                int{h.m_ReportTitle.m_Enabled});
    std::printf("header date-text: choice %d, option A %d\n", int{h.m_DateText.m_Choice}, int{h.m_DateText.m_OptionA});
    std::printf("header rule-off: %s\n", yes_no(header->RuleOffHeader()).c_str());
    std::printf("footer page-number: placement %d, choice %d, option A %d\n", int{footer->m_PageNumber.m_Placement},
                int{footer->m_PageNumber.m_Choice}, int{footer->m_PageNumber.m_OptionA});
    std::printf("footer continued: %s\nfooter rule-off: %s\n", yes_no(footer->GetIncludeContinued()).c_str(),
                yes_no(footer->RuleOffFooter()).c_str());
    std::printf("fly-sheet: width %d, drop %d, offset %d, reg-no text %d, main text %d, agent details text %d\n",
                fly->GetWidth(), fly->GetDrop(), fly->GetOffset(), fly->GetRegNoTextType(), fly->GetMainTextType(),
                fly->GetAgentDetailsTextType());
    CHeaderSettings::Invalidate();
    CFooterSettings::Invalidate();
    CFlySheetSettings::Invalidate();
  });
}

}  // namespace host
