// resource_table_generator SCRIPT OUTPUT SYMBOL: turns a resource script into C++ source that
// defines `const platform::ResourceTable SYMBOL`, for builds without a resource compiler.
#include <fstream>
#include <iostream>
#include <sstream>

#include "resource_script.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: resource_table_generator SCRIPT OUTPUT SYMBOL\n";
    return 2;
  }
  std::ifstream input(argv[1], std::ios::binary);
  if (!input) {
    std::cerr << argv[1] << ": cannot be read\n";
    return 1;
  }
  std::ostringstream script;
  script << input.rdbuf();
  std::string error;
  const auto resources = platform::detail::parse_resource_script(script.str(), error);
  if (!resources) {
    std::cerr << argv[1] << ": " << error << "\n";
    return 1;
  }
  std::ofstream output(argv[2], std::ios::binary | std::ios::trunc);
  output << platform::detail::resource_table_source(*resources, argv[3]);
  if (!output.flush()) {
    std::cerr << argv[2] << ": cannot be written\n";
    return 1;
  }
  return 0;
}
