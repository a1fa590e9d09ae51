// `qarntash-host demo-practice DIR`: writes the demo practice (every practice table, a few
// clients of each type across two branches) into DIR, for the other commands and a user to try.
#include <cstdio>
#include <memory>
#include <string>

#include "commands.h"
#include "platform/practice/demo_practice.h"
#include "platform/record_store.h"

namespace host {

void add_demo_practice_command(CLI::App& app) {
  auto folder = std::make_shared<std::string>();
  CLI::App* command = app.add_subcommand("demo-practice", "Write a small demo practice into a folder or onto a server");
  command->add_option("folder", *folder,
                      "The folder to write it into (made if it does not exist), or a server: postgresql://...#schema")
      ->required();
  command->callback([folder]() {
    const int status = platform::write_demo_practice(*folder);
    if (status == BTR_FILE_EXISTS) {
      throw CLI::ValidationError("folder", *folder + " already holds practice tables; choose an empty folder");
    }
    if (status != BTR_OK) {
      std::fprintf(stderr, "Could not write the demo practice into %s: status %d (%s)\n", folder->c_str(), status,
                   btr_status_text(status));
      throw CLI::RuntimeError(1);
    }
    int clients = 0;
    for (const platform::DemoClient* client = platform::demo_practice_clients(); client->client_id != nullptr;
         ++client) {
      ++clients;
    }
    std::printf("Demo practice written to %s: %d clients in two branches.\n", folder->c_str(), clients);
  });
}

}  // namespace host
