// `qarntash-host address default|agent --client ID [--data DIR]`: the default address of a
// business's branch, or the agent of its branch and the agent's address.
#include <cstdio>
#include <memory>
#include <string>

#include "commands.h"
#include "practice_option.h"
#include "qarntash/qarntash.h"

namespace host {

namespace {

void print_address(const ZORV1008_TLD& address) {
  bool any = false;
  for (const char* line : {address.line1, address.line2, address.line3, address.line4, address.line5, address.postcode}) {
    if (line[0] == '\0') continue;
    std::printf("  %s\n", line);
    any = true;
  }
  if (!any) std::printf("  (none)\n");
}

struct AddressArguments {
  std::string client;
  std::shared_ptr<std::string> data = std::make_shared<std::string>();
};

CLI::App* add_address_kind(CLI::App* parent, const char* name, const char* description,
                           const std::shared_ptr<AddressArguments>& arguments) {
  CLI::App* command = parent->add_subcommand(name, description);
  command->add_option("--client", arguments->client, "The business's visible ID")->required();
  add_data_option(command, arguments->data);
  return command;
}

// The business number of `id`: these addresses belong to businesses (reference type 2).
long business_number(const std::string& id) {
  const PMCO_INT_REF client = client_by_id(id);
  if (client.type != 2) {
    std::fprintf(stderr, "\"%s\" is not a business (reference %d:%d)\n", id.c_str(), client.type, client.number);
    throw CLI::RuntimeError(1);
  }
  return client.number;
}

}  // namespace

void add_address_command(CLI::App& app) {
  CLI::App* address = app.add_subcommand("address", "Show the addresses that depend on a business's branch");
  address->require_subcommand(1);

  auto default_arguments = std::make_shared<AddressArguments>();
  add_address_kind(address, "default", "The default address of the business's branch", default_arguments)
      ->callback([default_arguments]() {
        TK_CONF conf = use_practice_folder(*default_arguments->data);
        const long business = business_number(default_arguments->client);
        const ZORV1008_TLD* found = GetDefaultAddress(business, 0, kPmBranchPartyType, &conf);
        std::printf("Default address of the branch of \"%s\":\n", default_arguments->client.c_str());
        print_address(*found);
      });

  auto agent_arguments = std::make_shared<AddressArguments>();
  add_address_kind(address, "agent", "The agent of the business's branch and the agent's address", agent_arguments)
      ->callback([agent_arguments]() {
        TK_CONF conf = use_practice_folder(*agent_arguments->data);
        const long business = business_number(agent_arguments->client);
        ZORV1410_TLD agent{};
        ZORV1008_TLD agent_address{};
        InitBranch(nullptr, &conf);
        ReadAgentAddress(&agent, &agent_address, business);
        const long branch = GetIntBranchID_business_no(business);
        EndBranch();
        std::printf("Branch:  %ld\n", branch);
        std::printf("Agent:   %s\n", agent.name[0] != '\0' ? agent.name : "(none)");
        if (agent.reference[0] != '\0') std::printf("Ref:     %s\n", agent.reference);
        std::printf("Address:\n");
        print_address(agent_address);
      });
}

}  // namespace host
