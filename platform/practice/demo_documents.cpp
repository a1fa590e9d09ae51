// The demo practice's documents: files in DOCUMENTS, as the document services keep them
// (platform/document_services.h). Two of "AB/12:X"'s documents open as they are; its scanned
// letter and "A.B"'s signed accounts are kept in the store's own form and must be converted.
#include <filesystem>
#include <fstream>
#include <system_error>

#include "demo_practice_parts.h"

namespace platform::demo {

int write_documents(const std::string& folder) {
  struct Document {
    const char* place;  // "" for a document that opens as it is, "STORED" for one to convert
    const char* name;
    const char* text;
  };
  const Document documents[] = {
      {"", "AB_12_X engagement letter.txt", "Letter of engagement for AB Twelve Ltd, 1 March 2017.\n"},
      {"", "AB_12_X accounts 2021.txt", "Accounts of AB Twelve Ltd for the year to 28 February 2021.\n"},
      {"STORED", "AB_12_X scanned letter.tif", "A scanned letter from the tax office.\n"},
      {"STORED", "A.B signed accounts 2020.pdf", "Accounts of A B Plumbing to 5 April 2020, signed.\n"},
  };
  namespace fs = std::filesystem;
  for (const Document& document : documents) {
    const fs::path place = fs::path(folder) / "DOCUMENTS" / document.place;
    std::error_code error;
    fs::create_directories(place, error);
    std::ofstream file(place / document.name, std::ios::binary);
    file << document.text;
    if (error || !file.flush()) return BTR_IO_ERROR;
  }
  return 0;
}

}  // namespace platform::demo
