// `qarntash-host client --id ID | --ref TYPE:NUMBER [--data DIR]`: a client's internal reference,
// visible ID, the name of its files and its branch.
#include <cstdio>
#include <memory>
#include <string>

#include "commands.h"
#include "practice_option.h"
#include "qarntash/qarntash.h"

namespace host {

void add_client_command(CLI::App& app) {
  struct Arguments {
    std::string id, reference;
  };
  auto arguments = std::make_shared<Arguments>();
  auto data = std::make_shared<std::string>();
  CLI::App* command = app.add_subcommand("client", "Show a client's reference, visible ID, file name and branch");
  CLI::Option* id = command->add_option("--id", arguments->id, "The client's visible ID, for example \"AB/12:X\"");
  command->add_option("--ref", arguments->reference, "The client's internal reference TYPE:NUMBER, for example 2:2004")
      ->excludes(id);
  add_data_option(command, data);
  command->callback([arguments, data]() {
    if (arguments->id.empty() && arguments->reference.empty()) {
      throw CLI::RequiredError("one of --id and --ref");
    }
    TK_CONF conf = use_practice_folder(*data);
    const PMCO_INT_REF reference =
        arguments->reference.empty() ? client_by_id(arguments->id) : parse_reference(arguments->reference);

    std::string visible_id;
    if (!GetVisibleIDFromRef(reference, visible_id)) {
      std::fprintf(stderr, "No client with reference %d:%d in the practice\n", reference.type, reference.number);
      throw CLI::RuntimeError(1);
    }
    cLBW_STRING file_name;
    const bool named = GetFileNameFromRef(reference, file_name);
    InitBranch(nullptr, &conf);
    const long branch = GetIntBranchID_personnel_no(reference.number, static_cast<char>(reference.type));
    EndBranch();

    std::printf("Reference:  %d:%d\n", reference.type, reference.number);
    std::printf("Visible ID: \"%s\"\n", visible_id.c_str());
    std::printf("File name:  %s\n", named ? ("\"" + file_name.str() + "\"").c_str() : "none (empty visible ID)");
    std::printf("Branch:     %ld%s\n", branch, branch == 0 ? " (the practice as a whole)" : "");
  });
}

}  // namespace host
