// `qarntash-host demo-practice DIR [--clients N]`: writes the demo practice (every practice table,
// a few clients of each type across three branches) into DIR, for the other commands and a user
// to try; with --clients, N generated clients besides (a large practice to measure walks on).
#include <cstdio>
#include <memory>
#include <string>

#include "commands.h"
#include "platform/practice/demo_practice.h"
#include "platform/record_store.h"

namespace host {

void add_demo_practice_command(CLI::App& app) {
  auto folder = std::make_shared<std::string>();
  auto generated = std::make_shared<int>(0);
  CLI::App* command = app.add_subcommand("demo-practice", "Write a small demo practice into a folder or onto a server");
  command->add_option("folder", *folder,
                      "The folder to write it into (made if it does not exist), or a server: postgresql://...#schema")
      ->required();
  command->add_option("--clients", *generated, "Also generate N clients with their yearly entries (a large practice)")
      ->check(CLI::Range(0, 10000000));
  command->callback([folder, generated]() {
    const int status = *generated > 0 ? platform::write_large_demo_practice(*folder, *generated)
                                      : platform::write_demo_practice(*folder);
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
    std::printf("Demo practice written to %s: %d clients in three branches.\n", folder->c_str(), clients + *generated);
  });
}

}  // namespace host
