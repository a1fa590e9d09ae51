// Document selection: the platform's selection service picks the documents, its conversion
// service makes files of the ones the store keeps in its own form.
#include <utility>

#include "platform/document_services.h"
#include "qarntash/practice_data/documents.h"

CSelCommTWrapper::CSelCommTWrapper() = default;
CSelCommTWrapper::CSelCommTWrapper(const CSelCommTWrapper& other) = default;
CSelCommTWrapper& CSelCommTWrapper::operator=(const CSelCommTWrapper& other) = default;
CSelCommTWrapper::~CSelCommTWrapper() = default;

void CSelCommTWrapper::SetFilePaths(std::string text) {
  SDCO_SELECTION_REQUEST selection;
  selection.text = std::move(text);
  sdco004_call_DLL(kSdcoDocumentSelection, &selection);

  for (const SDCO_SELECTION_ITEM& item : selection.answer) {
    if (item.source.empty()) {
      file_paths_.push_back(item.path.str());
      continue;
    }
    // A request of its own for each document, so that one the service does not convert keeps an
    // empty path rather than the path of the document before it.
    SDCO_CONVERSION_REQUEST conversion;
    conversion.input = item.source;
    sdco004_call_DLL(kSdcoConversion, &conversion);
    file_paths_.push_back(conversion.output.str());
  }
}

std::vector<std::string> CSelCommTWrapper::GetFilePaths() const { return file_paths_; }

ZORV1423_PRIVLDG* get_user_privs() { return PM_MAIN::pmco004_get_privileges(); }
