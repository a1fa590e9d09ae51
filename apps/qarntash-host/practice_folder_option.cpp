#include "practice_folder_option.h"

#include <cstdio>
#include <cstdlib>

#include "platform/config.h"
#include "platform/practice/demo_practice.h"
#include "platform/record_store.h"

namespace host {

namespace {

constexpr const char* kDefaultPracticeFolder = "demo-practice";
constexpr const char* kDataPathVariable = "QARNTASH_DATA_PATH";

void set_environment(const char* name, const std::string& value) {
#ifdef _WIN32
  _putenv_s(name, value.c_str());
#else
  ::setenv(name, value.c_str(), 1);
#endif
}

}  // namespace

std::shared_ptr<std::string> add_practice_folder_option(CLI::App* command) {
  auto folder = std::make_shared<std::string>();
  command->add_option("--data", *folder,
                      "The practice folder (default: $QARNTASH_DATA_PATH, else the demo practice in ./demo-practice)");
  return folder;
}

std::string use_practice_folder_or_demo(const std::string& data_option) {
  std::string folder = data_option;
  if (folder.empty()) {
    const char* configured = std::getenv(kDataPathVariable);
    folder = configured != nullptr && *configured != '\0' ? configured : kDefaultPracticeFolder;
    if (configured == nullptr || *configured == '\0') {
      if (platform::find_table_file(folder, "zorv2000.ttl").empty()) {
        const int status = platform::write_demo_practice(folder);
        if (status != BTR_OK) {
          throw CLI::ValidationError("--data", "the demo practice could not be written into " + folder +
                                                   ": status " + std::to_string(status) + " (" +
                                                   btr_status_text(status) + ")");
        }
        std::fprintf(stderr, "Wrote the demo practice into %s (give --data DIR for another practice).\n",
                     folder.c_str());
      }
    }
  }
  if (platform::find_table_file(folder, "zorv2000.ttl").empty()) {
    throw CLI::ValidationError("--data", folder + " holds no practice defaults table (zorv2000.ttl)");
  }
  // The folder given wins over the environment, as the user named it on this command.
  set_environment(kDataPathVariable, folder);
  platform_set_default_data_path(folder);
  return folder;
}

}  // namespace host
