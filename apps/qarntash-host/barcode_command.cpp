// `qarntash-host barcode --reference REF --number N --code CODE`: the spaced text line from which
// a document's barcode is printed. Fails (status 1) when the library gives no line: a reference
// that is not 10 characters long, or a code too long for the line.
#include <cstdio>
#include <memory>
#include <string>

#include "commands.h"
#include "qarntash/qarntash.h"

namespace host {

void add_barcode_command(CLI::App& app) {
  struct Arguments {
    std::string reference, code;
    int number = 0;
  };
  auto arguments = std::make_shared<Arguments>();
  CLI::App* command = app.add_subcommand("barcode", "Show the text line of a document's barcode");
  command->add_option("--reference", arguments->reference, "The client's 10-character reference")->required();
  command->add_option("--number", arguments->number, "The document's number")->required();
  command->add_option("--code", arguments->code, "The document's code, for example A")->required();
  command->callback([arguments]() {
    const std::string line = Make_Barcode(arguments->reference.c_str(), arguments->number, arguments->code.c_str());
    if (line.empty()) {
      std::fprintf(stderr, "No barcode: the reference must be exactly 10 characters and the line at most 99\n");
      throw CLI::RuntimeError(1);
    }
    std::printf("Barcode:    \"%s\"\n", line.c_str());
  });
}

}  // namespace host
