// `qarntash-host client-status show|set|clear|ask --client ID [--mask M] [--data DIR]`: a
// client's status flags; set and clear change the bits of the mask (2 by default: the practice
// acts for the client); ask puts the question "Is this business currently a client?" on the
// terminal and changes them only on an explicit Yes or No.
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

#include "commands.h"
#include "platform/address_services.h"
#include "platform/practice/clients.h"
#include "platform/practice/practice_table.h"
#include "practice_option.h"
#include "qarntash/qarntash.h"

namespace host {

namespace {

constexpr int kActsForClient = 2;

int status_flags(const PMCO_INT_REF& client) {
  platform::PracticeTable<zorv1005_rec> clients("client-status");
  return clients.find(1, client).ok() ? clients.record().status_flags : 0;
}

}  // namespace

void add_client_status_command(CLI::App& app) {
  struct Arguments {
    std::string action, client;
    int mask = kActsForClient;
  };
  auto arguments = std::make_shared<Arguments>();
  auto data = std::make_shared<std::string>();
  CLI::App* command = app.add_subcommand("client-status", "Show, set, clear or ask a client's status flags");
  command->add_option("action", arguments->action, "show, set, clear or ask")
      ->required()
      ->check(CLI::IsMember({"show", "set", "clear", "ask"}));
  command->add_option("--client", arguments->client, "The client's visible ID, for example ACMEJOIN")->required();
  command->add_option("--mask", arguments->mask, "The status bits to change (default 2: the practice acts for the client)")
      ->check(CLI::Range(1, 0x7FFFFFFF));
  add_data_option(command, data);
  command->callback([arguments, data]() {
    use_practice_folder(*data);
    const PMCO_INT_REF client = client_by_id(arguments->client);
    const std::string& action = arguments->action;
    if (action == "set" || action == "clear") {
      const int status = SetClientStatus(client.number, client.type, action == "set" ? 1 : 0, arguments->mask);
      if (status != 0) {
        std::fprintf(stderr, "The status of \"%s\" was not changed: status %d (%s)\n", arguments->client.c_str(), status,
                     btr_status_text(status));
        throw CLI::RuntimeError(1);
      }
    } else if (action == "ask") {
      // Without a terminal nobody can answer, and a default answer must not change the record.
      if (isatty(STDIN_FILENO) == 0 || isatty(STDOUT_FILENO) == 0) {
        std::fprintf(stderr, "client-status ask needs a terminal to ask on; use set or clear instead\n");
        throw CLI::RuntimeError(1);
      }
      const std::string name = pmcl013_noncl_name(client);
      std::printf("Answered %s.\n",
                  CheckClientStatus(client.number, client.type, name.c_str(), arguments->mask) != 0 ? "Yes" : "No or nothing");
    }
    const int flags = status_flags(client);
    std::printf("Status flags of \"%s\": 0x%08X (%s)\n", arguments->client.c_str(), static_cast<unsigned>(flags),
                (flags & arguments->mask) == arguments->mask ? "set" : (flags & arguments->mask) == 0 ? "clear" : "partly set");
  });
}

}  // namespace host
