// Loads arbitrary bytes as a schema file and searches it: for a few fixed element names and for
// the names the bytes themselves declare (name="..."), with and without descriptions, through
// the loaded object and through a copy of it. Nothing may crash, leak or hang, and a schema that
// did not load must list nothing.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "qarntash/reporting/schema_search.h"

namespace {

// One file per fuzzing process, rewritten for each input and removed at exit.
const std::string& schema_path() {
  static const std::string path = [] {
    const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                       ("qarntash-fuzz-schema-" + std::to_string(getpid()) + ".xsd");
    std::atexit([] { std::remove(schema_path().c_str()); });
    return file.string();
  }();
  return path;
}

bool write_schema(const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(schema_path().c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(data, 1, size, file) == size;
  return std::fclose(file) == 0 && written;
}

// The first few values of name="..." in the bytes, so that the search also finds what it seeks.
std::vector<std::string> declared_names(const std::string& bytes) {
  std::vector<std::string> names;
  const std::string marker = "name=\"";
  for (std::size_t at = bytes.find(marker); at != std::string::npos && names.size() < 4;
       at = bytes.find(marker, at + 1)) {
    const std::size_t first = at + marker.size();
    const std::size_t end = bytes.find('"', first);
    if (end == std::string::npos) break;
    names.push_back(bytes.substr(first, end - first));
  }
  return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (!write_schema(data, size)) return 0;
  XSDSearch search(schema_path());
  XSDSearch copy(search);

  std::vector<std::string> names = declared_names(std::string(reinterpret_cast<const char*>(data), size));
  names.push_back("Gender");
  for (const std::string& name : names) {
    for (bool annotations : {false, true}) {
      const std::vector<std::string> list = search.GetXSDEnumerationItemList(name, annotations);
      if (copy.GetXSDEnumerationItemList(name, annotations) != list) std::abort();
      if (!search.isLoaded() && !list.empty()) std::abort();
    }
  }
  return 0;
}
