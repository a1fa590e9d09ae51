// `qarntash-host nin NUMBER`: whether a National Insurance number is valid, its canonical layout,
// and whether its prefix is one that is ever issued.
#include <cstdio>
#include <memory>
#include <string>

#include "commands.h"
#include "qarntash/qarntash.h"

namespace host {

void add_nin_command(CLI::App& app) {
  auto nin = std::make_shared<std::string>();
  CLI::App* command = app.add_subcommand("nin", "Check a National Insurance number and show its canonical layout");
  command->add_option("number", *nin, "The number, for example \"AB 12 34 56 C\" (quote it when it has spaces)")
      ->required();
  command->callback([nin]() {
    const std::string canonical = FormatNIN().FormatWithValidation(*nin);
    std::printf("Number:     \"%s\"\n", nin->c_str());
    if (canonical.empty()) {
      std::printf("Valid:      no\n");
      std::printf("Issuable:   no (not a valid number)\n");
      return;
    }
    std::printf("Valid:      yes, %s\n", canonical.c_str());
    if (FormatNIN::IsIssuableNIN(*nin)) {
      std::printf("Issuable:   yes\n");
    } else {
      std::printf("Issuable:   no (the prefix %s is never issued)\n", canonical.substr(0, 2).c_str());
    }
  });
}

}  // namespace host
