// File: platform/document_services.h
//
// The suite's document services, reached through one dispatcher: sdco004_call_DLL(service,
// request), where the service number says what the request is.
//
//  - 2365, document selection (SDCO_SELECTION_REQUEST): offers the practice's documents to the
//    user and answers with the ones chosen, in order. Each answer item holds a path; an item whose
//    document is kept in the document store's own form holds, as its second text, what the
//    conversion service needs to make a file of it.
//  - 2502, conversion (SDCO_CONVERSION_REQUEST): makes a file that can be opened from a stored
//    document and puts its path in the output text. A document it cannot convert leaves the
//    output as it was and gives a non-zero status.
//
// This stand-in keeps the practice's documents in the folder DOCUMENTS of the data path
// (config_read_conf010), and has no window, so the user "chooses" every document offered:
//   DOCUMENTS/<name>          a document that can be opened as it is: an item with its full path
//                             and no second text;
//   DOCUMENTS/STORED/<name>   a document in the store's own form: an item whose path text is its
//                             name and whose second text is its stored path;
//   DOCUMENTS/OPENED/<name>   where conversion puts the file made from DOCUMENTS/STORED/<name>
//                             (the real service turns a scan or a word-processor file into a
//                             file for viewing; the stand-in copies it).
// Selection offers the documents whose name begins with the request's text (all of them for an
// empty text): first those that can be opened as they are, then the stored ones, each group in
// name order. Folders and names that begin with "." are not documents.
//
// The service's other fields are passed through untouched: their meaning is the real service's.
//
// Seam for tests: while a DocumentServiceScript lives, every call goes to its handler instead.
//
// Usage:
//   SDCO_SELECTION_REQUEST selection;
//   selection.text = "AB_12_X";
//   if (sdco004_call_DLL(kSdcoDocumentSelection, &selection) == 0)
//     for (const SDCO_SELECTION_ITEM& item : selection.answer) ... item.path, item.source
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/export.h"
#include "platform/lbw_string.h"
#include "platform/types.h"

constexpr int kSdcoDocumentSelection = 2365;
constexpr int kSdcoConversion = 2502;
// The first of the selection request's fifteen values, as every selection passes it.
constexpr std::int32_t kSdcoSelectionFirstValue = 5;
// The kind of conversion asked of the conversion service: a stored document to a file.
constexpr std::int32_t kSdcoConvertToFile = 2;

// One document of a selection's answer. On the suite's 32-bit build, where each text is one
// pointer, an item is 34 bytes: the two texts with the service's 26 bytes between them.
struct SDCO_SELECTION_ITEM {
  cLBW_STRING path;           // the document's file path; for a stored document, its name
  char service_bytes[26]{};   // the service's own
  cLBW_STRING source;         // empty, or the stored document that the conversion service reads
};

struct SDCO_SELECTION_REQUEST {
  cLBW_STRING text;                        // what to offer: names beginning with it ("" for all)
  std::vector<PMCO_INT_REF> references;    // passed empty
  char references_extra[2]{};              // passed zero
  char reference[5]{};                     // passed zero
  std::int32_t values[15]{kSdcoSelectionFirstValue};  // the first 5, the others 0
  char reserved[10]{};                     // passed zero
  std::vector<SDCO_SELECTION_ITEM> answer; // filled by the service (emptied first)
  std::uint8_t flag = 0;
};

struct SDCO_CONVERSION_REQUEST {
  std::int32_t kind = kSdcoConvertToFile;
  cLBW_STRING input;    // an item's second text
  cLBW_STRING output;   // the path of the file made; left as it was when nothing is made
};

extern "C" {
// Runs `service` on `request` (a SDCO_SELECTION_REQUEST for 2365, a SDCO_CONVERSION_REQUEST for
// 2502). Returns 0; 1 for an unknown service or a null request; 12 when the stored document to
// convert does not exist, 2 when it cannot be read or its file cannot be written.
PLATFORM_API int sdco004_call_DLL(int service, void* request);
}

namespace platform {

// While alive, sdco004_call_DLL hands every call to `handler` (service, request) and returns what
// it returns. Scripts nest: the newest one answers.
class PLATFORM_API DocumentServiceScript {
 public:
  using Handler = std::function<int(int service, void* request)>;
  explicit DocumentServiceScript(Handler handler);
  ~DocumentServiceScript();
  DocumentServiceScript(const DocumentServiceScript&) = delete;
  DocumentServiceScript& operator=(const DocumentServiceScript&) = delete;

  int call(int service, void* request) const { return handler_(service, request); }

 private:
  Handler handler_;
  DocumentServiceScript* previous_;
};

}  // namespace platform
