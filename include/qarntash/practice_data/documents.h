// File: qarntash/practice_data/documents.h
//
// Documents, barcodes and privileges:
//  - CSelCommTWrapper asks the platform's document-selection service for documents and keeps
//    their file paths; a document that the store keeps in its own form is first converted into a
//    file by the conversion service, and its converted path is kept (platform/document_services.h).
//  - Make_Barcode builds the spaced text line from which a document's barcode is printed.
//  - get_user_privs hands over the current user's privilege record (platform/practice_management.h).
//
// Usage:
//   CSelCommTWrapper documents;
//   documents.SetFilePaths("AB_12_X");            // the user picks; their paths are appended
//   for (const std::string& path : documents.GetFilePaths()) ...
//   std::string line = Make_Barcode("1234567890", 25, "A");   // copy it before the next call
#pragma once

#include <string>
#include <vector>

#include "platform/practice_management.h"
#include "qarntash/export.h"

#if defined(_MSC_VER)
#  pragma warning(push)
#  pragma warning(disable : 4251)  // the member's std::vector is the host's own standard library's
#endif

class QARNTASH_API CSelCommTWrapper {
 public:
  CSelCommTWrapper();
  CSelCommTWrapper(const CSelCommTWrapper& other);
  CSelCommTWrapper& operator=(const CSelCommTWrapper& other);
  ~CSelCommTWrapper();

  // Asks the selection service for documents, offering it `text`, and appends the path of each
  // document chosen, in the order given: its own path, or for a document to convert the path of
  // the file the conversion service made ("" when the service made none). Paths collected by
  // earlier calls stay in front.
  void SetFilePaths(std::string text);

  std::vector<std::string> GetFilePaths() const;

 private:
  std::vector<std::string> file_paths_;
};

#if defined(_MSC_VER)
#  pragma warning(pop)
#endif

extern "C" {
// The barcode text of a document: each of the 10 characters of `reference` followed by a space,
// then `code` and a space, then each character of `number` in decimal (with "-" when negative)
// followed by a space, then " CR". Make_Barcode("1234567890", 25, "A") gives
// "1 2 3 4 5 6 7 8 9 0 A 2 5  CR".
// The text is in a buffer of 100 bytes that the library owns and the next call overwrites. It is
// "" when the reference is not exactly 10 characters long, when an argument is null, or when the
// text would not fit the buffer: the code may be up to 73 characters long with a one-digit number,
// 53 with the longest ("-2147483648").
QARNTASH_API const char* Make_Barcode(const char* reference, int number, const char* code);

// The current user's privilege record, as the platform gives it (never null).
QARNTASH_API ZORV1423_PRIVLDG* get_user_privs();
}
