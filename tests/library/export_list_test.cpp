// The export list (library/qarntash.def) against the names the built library exports.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>

namespace {

void replace_all(std::string& text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

bool starts_with(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

// One spelling for a demangled name, whatever the standard library's ABI namespace and tags.
std::string normalised(std::string name) {
  replace_all(name, "[abi:cxx11]", "");
  replace_all(name, "std::__cxx11::basic_string<char, std::char_traits<char>, std::allocator<char> >", "std::string");
  replace_all(name, "std::__cxx11::", "std::");
  return name;
}

// Symbols that no one chose to export: what the compiler makes for exported classes and inline
// code, instances of standard-library templates, and the runtime's and the tools' own.
bool made_by_the_toolchain(const std::string& name) {
  static const char* const kMadePrefixes[] = {
      "guard variable for ", "vtable for ", "typeinfo for ", "typeinfo name for ", "VTT for ",
      "construction vtable for ", "virtual thunk", "non-virtual thunk", "std::", "__gnu_cxx::",
      "__asan", "__ubsan", "__sanitizer", "__sancov", "__odr_asan", "__llvm"};
  static const char* const kLinkerNames[] = {"_init", "_fini", "_edata", "_end", "__bss_start"};
  for (const char* prefix : kMadePrefixes) {
    if (starts_with(name, prefix)) return true;
  }
  for (const char* linker_name : kLinkerNames) {
    if (name == linker_name) return true;
  }
  // A template instance with its return type first: "void std::vector<...>::_M_realloc_insert<...>(...)".
  const std::size_t space = name.find(' ');
  const std::size_t parenthesis = name.find('(');
  const bool return_type_first = space != std::string::npos && space < parenthesis;
  return return_type_first && (starts_with(name.substr(space + 1), "std::") ||
                               starts_with(name.substr(space + 1), "__gnu_cxx::"));
}

std::set<std::string> listed_names(const std::string& path) {
  std::ifstream file(path);
  std::set<std::string> names;
  std::string line;
  bool in_exports = false;
  while (std::getline(file, line)) {
    if (line == "EXPORTS") {
      in_exports = true;
    } else if (!in_exports || line.empty() || line.rfind(";;", 0) == 0) {
      continue;
    } else if (line.rfind("; ", 0) == 0) {
      names.insert(line.substr(2));  // a C++ name, demangled
    } else {
      std::istringstream entry(line);  // "    name [DATA]"
      std::string name;
      entry >> name;
      names.insert(name);
    }
  }
  return names;
}

std::set<std::string> exported_names(const std::string& library) {
  const std::string command = std::string(QARNTASH_NM) + " -D --defined-only -C \"" + library + "\"";
  std::unique_ptr<FILE, int (*)(FILE*)> nm(popen(command.c_str(), "r"), pclose);
  std::set<std::string> names;
  if (!nm) return names;
  char buffer[8192];
  std::string output;
  while (std::fgets(buffer, sizeof buffer, nm.get()) != nullptr) output += buffer;
  std::istringstream lines(output);
  std::string line;
  while (std::getline(lines, line)) {
    // "0000000000015d00 T CDateToolKit::GetTaxYear(long)"
    const std::size_t type = line.find(' ');
    if (type == std::string::npos || line.size() < type + 3) continue;
    const std::string name = line.substr(type + 3);
    if (!made_by_the_toolchain(name)) names.insert(normalised(name));
  }
  return names;
}

TEST(ExportList, NamesExactlyWhatTheLibraryExports) {
  const std::set<std::string> listed = listed_names(QARNTASH_EXPORT_LIST);
  const std::set<std::string> exported = exported_names(QARNTASH_LIBRARY_FILE);
  ASSERT_GT(listed.size(), 100u) << "cannot read " << QARNTASH_EXPORT_LIST;
  ASSERT_GT(exported.size(), 100u) << "cannot list the exports of " << QARNTASH_LIBRARY_FILE;
  for (const std::string& name : exported) {
    EXPECT_TRUE(listed.count(name) != 0) << "exported but not in library/qarntash.def (an internal exported by "
                                            "accident, or a new export to list):\n; "
                                         << name;
  }
  for (const std::string& name : listed) {
    EXPECT_TRUE(exported.count(name) != 0) << "in library/qarntash.def but not exported:\n; " << name;
  }
}

TEST(ExportList, NamesAreSpelledOneWay) {
  const std::string name =
      "CRegExValidator::Validate(std::__cxx11::basic_string<char, std::char_traits<char>, std::allocator<char> > "
      "const&, bool) const";
  EXPECT_EQ(normalised(name), "CRegExValidator::Validate(std::string const&, bool) const");
  EXPECT_EQ(normalised("CRegExValidator::NIN_RE[abi:cxx11]"), "CRegExValidator::NIN_RE");
  EXPECT_TRUE(made_by_the_toolchain("vtable for DTU"));
  EXPECT_TRUE(made_by_the_toolchain("void std::vector<char, std::allocator<char> >::_M_realloc_insert<char>(int)"));
  EXPECT_FALSE(made_by_the_toolchain("tokenize(std::string const&, std::string const&)"));
  EXPECT_FALSE(made_by_the_toolchain("StripSpaces"));
}

}  // namespace
