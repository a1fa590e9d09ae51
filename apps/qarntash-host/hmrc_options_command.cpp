// `hmrc-options`: the practice's choice of which areas to retrieve HMRC data for, on the
// library's "Retrieve HMRC Data Practice Options" screen (dialog 117), kept in a JSON file.
#include <fstream>
#include <iostream>

#include <nlohmann/json.hpp>

#include "commands.h"
#include "platform/forms.h"
#include "platform/window_services.h"
#include "qarntash/library.h"

namespace host {
namespace {

struct HmrcArea {
  long control;
  const char* key;
};
constexpr HmrcArea kAreas[] = {{1123, "class2_national_insurance"}, {1124, "marriage_allowance"},
                               {1125, "employment_benefits"},       {1126, "income"},
                               {1127, "tax"}};
constexpr std::size_t kAreaCount = sizeof kAreas / sizeof kAreas[0];

class HmrcOptionsScreen : public fp_FORM {
 public:
  HmrcOptionsScreen(const std::string& file, nlohmann::json& saved)
      : fp_FORM(117, qarntash_instance()),
        ticks_{{kAreas[0].control, 0}, {kAreas[1].control, 0}, {kAreas[2].control, 0},
               {kAreas[3].control, 0}, {kAreas[4].control, 0}},
        ok_(1, 0),
        cancel_(2, 0),
        file_(file),
        saved_(saved) {
    confirm_cancel(true);
    open(true);
    for (std::size_t i = 0; i < kAreaCount; ++i) ticks_[i].set(saved_.value(kAreas[i].key, false));
  }

  // OK writes the file; a file that cannot be written keeps the screen open on the first tick.
  long form_exit() override {
    nlohmann::json chosen = nlohmann::json::object();
    for (std::size_t i = 0; i < kAreaCount; ++i) chosen[kAreas[i].key] = ticks_[i].get();
    std::ofstream output(file_, std::ios::trunc);
    output << chosen.dump(2) << "\n";
    if (!output.flush()) {
      wp_messagebox("Velmar Tax", (file_ + " could not be written.").c_str());
      return kAreas[0].control;
    }
    saved_ = chosen;
    return 0;
  }

 private:
  fp_TICK_FIELD ticks_[kAreaCount];
  fp_BUTTON_FIELD ok_, cancel_;
  std::string file_;
  nlohmann::json& saved_;
};

}  // namespace

void add_hmrc_options_command(CLI::App& app) {
  auto file = std::make_shared<std::string>("hmrc-options.json");
  CLI::App* command = app.add_subcommand("hmrc-options", "Choose the areas to retrieve HMRC data for, on a screen");
  command->add_option("--file", *file, "JSON file the choices are kept in")->capture_default_str();
  command->callback([file] {
    nlohmann::json saved = nlohmann::json::object();
    if (std::ifstream input(*file); input) {
      saved = nlohmann::json::parse(input, nullptr, false);
      if (!saved.is_object()) throw CLI::ValidationError("--file", *file + " is not a JSON object");
    }
    HmrcOptionsScreen screen(*file, saved);
    if (screen.process()) {
      std::cout << "Saved " << *file << ":";
      for (const HmrcArea& area : kAreas) {
        if (saved.value(area.key, false)) std::cout << " " << area.key;
      }
      std::cout << "\n";
    } else {
      std::cout << "Cancelled; " << *file << " is unchanged\n";
    }
  });
}

}  // namespace host
