// `qarntash-host copy-practice FROM TO`: copies a practice between a folder and a PostgreSQL
// server (either way, or folder to folder), then checks every table of the copy.
#include <cstdio>
#include <memory>
#include <string>

#include "commands.h"
#include "platform/practice/catalogue.h"
#include "platform/record_store.h"

namespace host {

void add_copy_practice_command(CLI::App& app) {
  auto from = std::make_shared<std::string>();
  auto to = std::make_shared<std::string>();
  CLI::App* command = app.add_subcommand(
      "copy-practice", "Copy a practice's tables between a folder and a server (postgresql://...#schema)");
  command->add_option("from", *from, "The folder or server the practice is on")->required();
  command->add_option("to", *to, "The folder or server to copy it to; it must hold no practice tables")->required();
  command->callback([from, to]() {
    std::string problem;
    const int status = platform::copy_practice(
        *from, *to,
        [](const std::string& file_name, int done, int total) {
          std::printf("%d/%d %s copied and checked\n", done, total, file_name.c_str());
          std::fflush(stdout);
        },
        &problem);
    if (status != BTR_OK) {
      std::fprintf(stderr, "Could not copy the practice: %s (status %d, %s)\n", problem.c_str(), status,
                   btr_status_text(status));
      throw CLI::RuntimeError(1);
    }
    std::printf("Practice copied to %s: every table holds the same records in the same order.\n", to->c_str());
  });
}

}  // namespace host
