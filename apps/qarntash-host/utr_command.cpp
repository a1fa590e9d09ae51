// `qarntash-host utr REFERENCE`: the suite's repeated-digit test of a Unique Taxpayer Reference
// and the stricter check-digit test.
#include <cstdio>
#include <memory>
#include <string>

#include "commands.h"
#include "qarntash/qarntash.h"

namespace host {

void add_utr_command(CLI::App& app) {
  auto utr = std::make_shared<std::string>();
  CLI::App* command = app.add_subcommand("utr", "Check a Unique Taxpayer Reference");
  command->add_option("reference", *utr, "The ten-digit reference, for example 2325648152")->required();
  command->callback([utr]() {
    const bool digits_vary = FormatUTR::ValidDigitUTR(utr->c_str()) == 1;
    const bool check_digit_right = FormatUTR::ValidCheckDigitUTR(utr->c_str()) == 1;
    std::printf("Reference:     \"%s\"\n", utr->c_str());
    std::printf("Digit test:    %s\n", digits_vary ? "passes" : "fails (one digit repeated ten times)");
    std::printf("Check digit:   %s\n",
                check_digit_right ? "passes" : "fails (not ten digits, or the first is not the check digit)");
  });
}

}  // namespace host
