#include "report_output.h"

#include <cstdio>
#include <fstream>
#include <iostream>

#include "platform/report_printer.h"

namespace host {

void use_report_folder(const std::string& folder) { rp_set_output_folder(folder); }

bool show_last_report() {
  const std::string path = rp_last_report_path();
  std::ifstream file(path);
  if (path.empty() || !file) {
    std::cerr << "qarntash-host: the report could not be written\n";
    return false;
  }
  std::cout << file.rdbuf();
  std::cout << "\n(report written to " << path << ")\n";
  return true;
}

}  // namespace host
