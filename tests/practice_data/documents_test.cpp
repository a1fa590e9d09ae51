#include "qarntash/practice_data/documents.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/document_services.h"
#include "support/practice_folder.h"

namespace {

using Paths = std::vector<std::string>;

// A selection service that answers with `items` (path, second text) and a conversion service that
// converts only the second texts in `converts` (input -> output).
struct ScriptedDocuments {
  std::vector<std::pair<std::string, std::string>> items;
  std::vector<std::pair<std::string, std::string>> converts;
  std::vector<SDCO_SELECTION_REQUEST> selections;
  std::vector<std::string> conversion_inputs;

  int call(int service, void* request) {
    if (service == kSdcoDocumentSelection) {
      auto* selection = static_cast<SDCO_SELECTION_REQUEST*>(request);
      selections.push_back(*selection);
      for (const auto& [path, source] : items) {
        SDCO_SELECTION_ITEM item;
        item.path = path;
        item.source = source;
        selection->answer.push_back(item);
      }
      return 0;
    }
    auto* conversion = static_cast<SDCO_CONVERSION_REQUEST*>(request);
    EXPECT_EQ(service, kSdcoConversion);
    EXPECT_EQ(conversion->kind, 2);
    conversion_inputs.push_back(conversion->input.str());
    for (const auto& [input, output] : converts) {
      if (conversion->input.str() == input) {
        conversion->output = output;
        return 0;
      }
    }
    return 12;  // not converted: the output is left as it was
  }
};

TEST(DocumentSelection, ConvertsStoredDocumentsAndNeverReusesAnotherDocumentsPath) {
  ScriptedDocuments service;
  service.items = {{"/docs/letter.pdf", ""}, {"scan", "stored/scan"}, {"lost", "stored/lost"}, {"/docs/b.pdf", ""}};
  service.converts = {{"stored/scan", "/opened/scan.pdf"}};
  platform::DocumentServiceScript script([&](int s, void* r) { return service.call(s, r); });

  CSelCommTWrapper documents;
  documents.SetFilePaths("AB");
  EXPECT_EQ(documents.GetFilePaths(), (Paths{"/docs/letter.pdf", "/opened/scan.pdf", "", "/docs/b.pdf"}));
  EXPECT_EQ(service.conversion_inputs, (Paths{"stored/scan", "stored/lost"}));

  ASSERT_EQ(service.selections.size(), 1u);
  const SDCO_SELECTION_REQUEST& request = service.selections[0];
  EXPECT_EQ(request.text.str(), "AB");
  EXPECT_TRUE(request.references.empty());
  EXPECT_TRUE(request.answer.empty());
  EXPECT_EQ(request.values[0], 5);
  for (int i = 1; i < 15; ++i) EXPECT_EQ(request.values[i], 0) << i;
  EXPECT_EQ(request.flag, 0);
}

TEST(DocumentSelection, EachCallAppendsAndCopiesKeepTheList) {
  ScriptedDocuments service;
  platform::DocumentServiceScript script([&](int s, void* r) { return service.call(s, r); });

  CSelCommTWrapper documents;
  EXPECT_TRUE(documents.GetFilePaths().empty());
  service.items = {{"/a", ""}, {"/b", ""}};
  documents.SetFilePaths("first");
  service.items = {{"/c", ""}};
  documents.SetFilePaths("second");
  EXPECT_EQ(documents.GetFilePaths(), (Paths{"/a", "/b", "/c"}));

  CSelCommTWrapper copy(documents);
  CSelCommTWrapper assigned;
  assigned = documents;
  documents.SetFilePaths("third");
  EXPECT_EQ(copy.GetFilePaths(), (Paths{"/a", "/b", "/c"}));
  EXPECT_EQ(assigned.GetFilePaths(), copy.GetFilePaths());
}

void write_file(const std::filesystem::path& path, const std::string& text) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The platform's own services over a practice's document folder.
TEST(DocumentSelection, PracticeDocumentsAreOfferedByNameAndStoredOnesOpenedAsFiles) {
  test_support::PracticeFolder practice({});
  const std::filesystem::path folder = std::filesystem::path(practice.data_path()) / "DOCUMENTS";
  write_file(folder / "AB_12_X letter.txt", "Dear client");
  write_file(folder / "AB_12_X accounts.txt", "Accounts");
  write_file(folder / "ZZ other.txt", "not this client's");
  write_file(folder / "STORED" / "AB_12_X scan.tif", "scanned image");

  CSelCommTWrapper documents;
  documents.SetFilePaths("AB_12_X");
  const Paths expected = {(folder / "AB_12_X accounts.txt").string(), (folder / "AB_12_X letter.txt").string(),
                          (folder / "OPENED" / "AB_12_X scan.tif").string()};
  EXPECT_EQ(documents.GetFilePaths(), expected);
  EXPECT_EQ(read_file(expected[2]), "scanned image");

  SDCO_CONVERSION_REQUEST missing;
  missing.input = (folder / "STORED" / "gone.tif").string();
  missing.output = "as it was";
  EXPECT_EQ(sdco004_call_DLL(kSdcoConversion, &missing), 12);
  EXPECT_EQ(missing.output.str(), "as it was");
  EXPECT_EQ(sdco004_call_DLL(999, &missing), 1);
  EXPECT_EQ(sdco004_call_DLL(kSdcoConversion, nullptr), 1);
}

TEST(UserPrivileges, AreThePlatformsRecordOfTheUserLoggedIn) {
  ZORV1423_PRIVLDG* privileges = get_user_privs();
  ASSERT_EQ(privileges, PM_MAIN::pmco004_get_privileges());
  EXPECT_STREQ(privileges->administrator, "Y");

  ZORV1423_PRIVLDG clerk = platform::administrator_privileges();
  clerk.user_id = 7;
  std::strcpy(clerk.administrator, "N");
  clerk.branch = 2;
  platform::set_user_privileges(clerk);
  EXPECT_EQ(get_user_privs(), privileges);
  EXPECT_EQ(static_cast<int>(privileges->user_id), 7);
  EXPECT_STREQ(privileges->administrator, "N");
  EXPECT_EQ(static_cast<int>(privileges->branch), 2);  // packed: read by value
  platform::set_user_privileges(platform::administrator_privileges());
}

}  // namespace
